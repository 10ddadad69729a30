#!/usr/bin/env bash
# Configures and builds into a build directory.
#   scripts/build.sh release   -> build/       (optimised, for running)
#   scripts/build.sh sanitize  -> build-asan/  (AddressSanitizer + UBSan, for tests)
#   scripts/build.sh fuzz      -> build-fuzz/  (clang, the libFuzzer harnesses of fuzz/)
set -euo pipefail
cd "$(dirname "$0")/.."

kind=${1:-release}
case "$kind" in
  release)  dir=build;      flags=(-DCMAKE_BUILD_TYPE=Release -DOKAP_SANITIZE=OFF -DOKAP_TESTS=OFF) ;;
  sanitize) dir=build-asan; flags=(-DCMAKE_BUILD_TYPE=Debug -DOKAP_SANITIZE=ON) ;;
  fuzz)     dir=build-fuzz; flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DOKAP_FUZZ=ON -DOKAP_TESTS=OFF -DOKAP_BENCHMARKS=OFF)
            export CC=clang CXX=clang++ ;;
  *) echo "usage: scripts/build.sh [release|sanitize|fuzz]" >&2; exit 2 ;;
esac

cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)"
