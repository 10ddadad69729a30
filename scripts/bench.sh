#!/usr/bin/env bash
# Installs what is missing, builds optimised and runs the benchmarks.
# Arguments go to Google Benchmark (for example --benchmark_filter=Translate).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/build.sh release
build/benchmarks/okap_benchmarks "$@"
