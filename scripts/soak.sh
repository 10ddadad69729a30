#!/usr/bin/env bash
# The soak: one program process opens, zooms, pans, paints, prints to PDF,
# saves and closes the sample documents CYCLES times under LeakSanitizer
# (offscreen), and reports its resident memory and the heap it holds at the
# start, every 500 cycles and at the end. Fails on a leak report, a message
# or a document that would not open or save.
#
#   scripts/soak.sh [CYCLES]          (default 10000)
#
# Builds build-lsan/ (optimised, LeakSanitizer alone, so that the figures are
# the program's own and not a sanitizer's quarantine). SOAK and OKAPTOOL name
# programs built elsewhere instead (the tests run a short soak of the
# sanitizer build).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cycles=${1:-10000}
cd "$repo"

if [ -z "${SOAK:-}" ]; then
    bash scripts/install-deps.sh
    cmake -S . -B build-lsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOKAP_LEAK_CHECK=ON -DOKAP_TESTS=OFF \
          -DOKAP_BENCHMARKS=OFF >/dev/null
    cmake --build build-lsan -j "$(nproc)" --target okap_soak okaptool
    SOAK=$repo/build-lsan/tools/soak/okap_soak
    OKAPTOOL=$repo/build-lsan/tools/okaptool/okaptool
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The program reads the okap.ini that setup-samples.sh writes for the
# workspace.
export XDG_CONFIG_HOME=$work/config
OKAPTOOL=$OKAPTOOL bash scripts/setup-samples.sh "$work/samples" >/dev/null

export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS=suppressions=$repo/scripts/lsan.supp:print_suppressions=0:exitcode=23
start=$(date +%s)
"$SOAK" "$work/samples" "$cycles"
echo "soak: $cycles cycles in $(( $(date +%s) - start )) s, no leak reported"
