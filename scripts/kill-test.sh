#!/usr/bin/env bash
# Shows that an interrupted write never spoils a file: kills okaptool
# translate, okaptool import and a document save with SIGKILL at random
# moments while each replaces an earlier output, and checks every time that
# the earlier output is intact byte for byte and that no temporary file,
# hidden ones included, is left in the folder. Then fills a file size limit
# (as a full disk would), writes into a read-only folder and over a folder,
# and runs two translations to one new file at once, and checks the message,
# the exit status, the old file and the folder each time.
#
#   scripts/kill-test.sh [KILLS]      (default 50 kills of each command)
#
# Needs a built okaptool and okap_save_loop (scripts/build.sh release);
# OKAPTOOL and SAVE_LOOP name others.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
tool=${OKAPTOOL:-$repo/build/tools/okaptool/okaptool}
tool=$(realpath "$tool")
save_loop=$(realpath "${SAVE_LOOP:-$repo/build/tools/soak/okap_save_loop}")
kills=${1:-50}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config

cp "$repo/samples/world.mpa" "$repo/samples/countries.json" "$repo/samples/world-mercator.oki" \
   "$repo/samples/std.okg" "$work/"
cd "$work"

# The folder's listing, hidden files included, without the inputs.
listing() {
    ls -A | grep -v -x -e world.mpa -e countries.json -e std.okg -e config -e before.sum -e readonly | sort |
        tr '\n' ' '
}

# run_failing COMMAND...: runs a command that is to fail, keeping its
# message (standard error) and exit status.
run_failing() {
    set +e
    message=$("$@" 2>&1 >/dev/null)
    status=$?
    set -e
}
with_file_limit() { (ulimit -f 64; "$@"); }
in_folder() { (cd "$1" && shift && "$@"); }

# fail NAME WHAT: the check NAME failed.
fail() {
    echo "kill-test: $1: $2" >&2
    exit 1
}

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
    local expected survived=0 finished=0 between=0
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
            # Replacing a file takes two steps, linking the finished file in
            # under a hidden name and renaming it over the old one; a kill
            # between them leaves the hidden file, which the next write of
            # the same file removes. Anything else left is a failure.
            local extra
            extra=$(comm -13 <(echo "$expected" | tr ' ' '\n' | grep .) <(listing | tr ' ' '\n' | grep .) | tr '\n' ' ')
            for leftover in $extra; do
                local known=0
                for file in $output; do
                    [[ "$leftover" =~ ^\.${file//./\\.}\.[A-Za-z0-9]{6}$ ]] && known=1
                done
                [ "$known" = 1 ] || fail "$name" "kill $i left files behind: $(listing)"
            done
            "$@" >/dev/null 2>&1 || true
            sha256sum --quiet -c before.sum || fail "$name" "the run after kill $i spoiled $output"
            [ "$(listing)" = "$expected" ] || fail "$name" "the run after kill $i left files behind: $(listing)"
            between=$((between + 1))
        fi
    done
    echo "kill-test: $name: $kills runs, $survived killed mid-way, $finished had finished; $output intact;" \
         "$between killed between link and rename left a hidden file that the next run removed, no other file left"
}

kill_at_random translate worldmer.mpb "$tool" translate world.mpa worldmer --maps . --projection MERC --replace
kill_at_random import "land.mpb land.okf" \
    "$tool" import countries.json land --maps . --layer countries --replace
kill_at_random save world-mercator.oki "$save_loop" world-mercator.oki 200

# A full disk: a file size limit below the output's size.
sha256sum worldmer.mpb >before.sum
expected=$(listing)
run_failing with_file_limit "$tool" translate world.mpa worldmer --maps . --projection MERC --replace
if [ "$status" != 1 ] || ! sha256sum --quiet -c before.sum || [ "$(listing)" != "$expected" ] ||
   [ -z "$message" ]; then
    fail "full disk" "status $status, message '$message', files $(listing)"
fi
echo "kill-test: full disk: status 1, '$(echo "$message" | head -1)'; old file intact, no temporary file"

# A read-only folder: written by a user who may not write there (root may
# write anywhere, so root runs the tool as nobody).
mkdir readonly
cp world.mpa worldmer.mpb readonly/
chmod 555 readonly
chmod 755 "$work"
chmod 644 readonly/*
as_user=()
[ "$(id -u)" != 0 ] || as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
(cd readonly && sha256sum worldmer.mpb >"$work/before.sum")
run_failing in_folder readonly "${as_user[@]}" "$tool" translate world.mpa worldmer --maps . --projection MERC --replace
if [ "$status" != 1 ] || ! (cd readonly && sha256sum --quiet -c "$work/before.sum") || [ -z "$message" ] ||
   [ "$(ls -A readonly | tr '\n' ' ')" != "world.mpa worldmer.mpb " ]; then
    fail "read-only folder" "status $status, message '$message', files $(ls -A readonly)"
fi
echo "kill-test: read-only folder: status 1, '$(echo "$message" | head -1)'; old file intact"

# A folder where the output file should be.
mkdir folder.mpb
touch folder.mpb/inside
expected=$(listing)
run_failing "$tool" translate world.mpa folder --maps . --projection MERC --replace
if [ "$status" != 1 ] || [ ! -e folder.mpb/inside ] || [ "$(listing)" != "$expected" ] || [ -z "$message" ]; then
    fail "folder in the way" "status $status, message '$message', files $(listing)"
fi
echo "kill-test: folder in the way: status 1, '$(echo "$message" | head -1)'; folder as it was"

# Two translations to one new file at once: one writes it, the other says
# so and leaves it; the file is the one a translation alone writes.
sha256sum worldmer.mpb | sed 's/worldmer/twice/' >before.sum
for ((i = 1; i <= 5; i++)); do
    rm -f twice.mpb
    expected="$(listing)twice.mpb "
    expected=$(echo "$expected" | tr ' ' '\n' | grep . | sort | tr '\n' ' ')
    "$tool" translate world.mpa twice --maps . --projection MERC >first.out 2>&1 &
    first=$!
    "$tool" translate world.mpa twice --maps . --projection MERC >second.out 2>&1 &
    second=$!
    statuses=0
    wait "$first" || statuses=$((statuses + 1))
    wait "$second" || statuses=$((statuses + 1))
    messages=$(cat first.out second.out)
    rm -f first.out second.out
    if [ "$statuses" != 1 ] || ! sha256sum --quiet -c before.sum || [ "$(listing)" != "$expected" ] ||
       ! echo "$messages" | grep -q -e "appeared" -e "already exists"; then
        fail "two at once" "run $i: $statuses failed, messages '$messages', files $(listing)"
    fi
done
echo "kill-test: two at once: 5 times one wrote the file and the other said '$(echo "$messages" | grep -e appeared -e "already exists" | head -1)'"
