#!/bin/sh
# Builds the benchmarks, runs them with SDL's dummy audio driver, and writes the
# table of times and ratios to their floors into BENCHMARKS.md.
#   bench/run-benchmarks.sh [extra Google Benchmark flags]
set -eu
cd "$(dirname "$0")/.."
./cmake/install-deps.sh native
cmake --preset bench >/dev/null
cmake --build --preset bench

out=build/bench/results
mkdir -p "$out"
bin=build/bench/bin
export SDL_AUDIODRIVER=dummy
flags="--benchmark_repetitions=3 --benchmark_report_aggregates_only=true --benchmark_format=json"
# shellcheck disable=SC2086
"$bin/zol_bench" $flags "$@" >"$out/standin.json"
# The minimal store replaces the stand-in the way a host's own QorData does:
# first on the loader path.
# shellcheck disable=SC2086
LD_LIBRARY_PATH=build/bench/bench/minimal-store "$bin/zol_bench_minimal" $flags \
  --benchmark_filter='SumArray|BytePacking' "$@" >"$out/minimal.json"
python3 bench/report.py "$out/standin.json" "$out/minimal.json" >BENCHMARKS.md
echo "wrote BENCHMARKS.md"
