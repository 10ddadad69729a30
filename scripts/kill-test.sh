#!/usr/bin/env bash
# Shows that an interrupted write never spoils a file: kills okaptool
# translate and import with SIGKILL at random moments while each replaces an
# earlier output, and checks every time that the earlier output is intact
# byte for byte and that no temporary file, hidden ones included, is left
# in the folder. Then fills a file size limit (as a full disk would) and
# checks the message, the exit status, the old file and the folder.
#
#   scripts/kill-test.sh [KILLS]      (default 50 kills of each command)
#
# Needs a built okaptool (scripts/build.sh release); OKAPTOOL names another.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
tool=${OKAPTOOL:-$repo/build/tools/okaptool/okaptool}
tool=$(realpath "$tool")
kills=${1:-50}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config

cp "$repo/samples/world.mpa" "$repo/samples/countries.json" "$work/"
cd "$work"

# The folder's listing, hidden files included, without the inputs.
listing() { ls -A | grep -v -x -e world.mpa -e countries.json -e config -e before.sum | sort | tr '\n' ' '; }

# kill_at_random NAME OUTPUT COMMAND...: the first run makes OUTPUT; each
# later run replaces it and is killed after a random wait of up to about
# the time a whole run takes.
kill_at_random() {
    local name=$1 output=$2
    shift 2
    # (An import that skips a faulty feature ends with status 1; its output
    # is written all the same.)
    "$@" >/dev/null 2>&1 || true
    local start end span
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    span=$(( (end - start) / 1000 + 1 ))   # microseconds
    sha256sum $output >before.sum
    local expected survived=0 finished=0
    expected=$(listing)
    for ((i = 1; i <= kills; i++)); do
        "$@" >/dev/null 2>&1 &
        local pid=$!
        sleep "$(awk -v s="$span" -v r="$RANDOM" 'BEGIN { printf "%.6f", s * (r / 32768.0) * 1.1 / 1e6 }')"
        if kill -9 "$pid" 2>/dev/null; then survived=$((survived + 1)); else finished=$((finished + 1)); fi
        wait "$pid" 2>/dev/null || true
        if ! sha256sum --quiet -c before.sum; then
            echo "kill-test: $name: kill $i spoiled $output" >&2
            exit 1
        fi
        if [ "$(listing)" != "$expected" ]; then
            echo "kill-test: $name: kill $i left files behind: $(listing)" >&2
            exit 1
        fi
    done
    echo "kill-test: $name: $kills runs, $survived killed mid-way, $finished had finished; $output intact, no temporary file"
}

kill_at_random translate worldmer.mpb "$tool" translate world.mpa worldmer --maps . --projection MERC --replace
kill_at_random import "land.mpb land.okf" \
    "$tool" import countries.json land --maps . --layer countries --replace

# A full disk: a file size limit below the output's size.
sha256sum worldmer.mpb >before.sum
expected=$(listing)
set +e
message=$( (ulimit -f 64; "$tool" translate world.mpa worldmer --maps . --projection MERC --replace) 2>&1 >/dev/null)
status=$?
set -e
if [ "$status" != 1 ] || ! sha256sum --quiet -c before.sum || [ "$(listing)" != "$expected" ] ||
   [ -z "$message" ]; then
    echo "kill-test: full disk: status $status, message '$message', files $(listing)" >&2
    exit 1
fi
echo "kill-test: full disk: status 1, '$(echo "$message" | head -1)'; old file intact, no temporary file"
