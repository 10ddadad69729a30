#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ (build-fuzz/, clang) and runs
# each for SECONDS (default 60), one after another:
#   scripts/fuzz.sh [SECONDS] [HARNESS...]
# HARNESS names a subset (binary_map, document, ...; all by default). The
# working corpus of a harness is build-fuzz/corpus/<h>, seeded from
# fuzz/seeds/<h> and kept between runs; crashing inputs go to
# build-fuzz/crashes/<h>/. A crash, a sanitizer report, a leak, an input
# that takes over 10 seconds or more than 2 GB stops the run: the input's
# path is printed and the exit status is 1.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

seconds=${1:-60}
shift || true
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "usage: scripts/fuzz.sh [SECONDS] [HARNESS...]" >&2
  exit 2
fi

harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  for source in fuzz/*_fuzzer.cpp; do
    name=$(basename "$source" _fuzzer.cpp)
    harnesses+=("$name")
  done
fi
for h in "${harnesses[@]}"; do
  if [ ! -f "fuzz/${h}_fuzzer.cpp" ]; then
    echo "fuzz: no harness '$h' (fuzz/${h}_fuzzer.cpp)" >&2
    exit 2
  fi
done

bash scripts/install-deps.sh
bash scripts/build.sh fuzz

export QT_QPA_PLATFORM=offscreen
# A smaller quarantine than the default keeps memory reused between inputs,
# which spares most of the page faults of a run; a use after free within an
# input is still caught.
# Allocation stacks are kept to 8 frames: the sanitizer stores every
# distinct stack for good, and the translator's recursive cutting gives a
# distinct 30-frame stack to nearly every allocation, which took a long run
# of text_map past 2 GB with 38 MB live.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:quarantine_size_mb=64:max_malloc_fill_size=0:malloc_context_size=8
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

for h in "${harnesses[@]}"; do
  # Absolute paths: a harness works in a folder of its own.
  corpus=$root/build-fuzz/corpus/$h
  crashes=$root/build-fuzz/crashes/$h
  scratch=$root/build-fuzz/tmp/$h
  mkdir -p "$corpus" "$crashes" "$scratch"
  # Every temporary file of the harness goes here and is removed after it.
  rm -rf "${scratch:?}"/*
  extra=()
  [ -f "fuzz/dicts/$h.dict" ] && extra+=("-dict=$root/fuzz/dicts/$h.dict")
  log=build-fuzz/$h.log
  echo "fuzz: $h for $seconds s"
  set +e
  TMPDIR=$scratch "build-fuzz/fuzz/okap_fuzz_$h" "$corpus" "$root/fuzz/seeds/$h" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=2048 \
    -artifact_prefix="$crashes/" -print_final_stats=0 "${extra[@]}" </dev/null >"$log" 2>&1
  status=$?
  set -e
  rm -rf "${scratch:?}"
  if [ $status -ne 0 ]; then
    tail -n 60 "$log"
    artifact=$(grep -o "Test unit written to .*" "$log" | tail -n 1 | sed 's/Test unit written to //')
    echo "fuzz: $h failed (status $status); the input: ${artifact:-see $log}" >&2
    exit 1
  fi
  grep -E "^Done [0-9]+ runs in [0-9]+ second" "$log" | tail -n 1
done
echo "fuzz: all ${#harnesses[@]} harnesses ran clean for $seconds s each"
