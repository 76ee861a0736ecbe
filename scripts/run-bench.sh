#!/usr/bin/env bash
# Runs the benchmarks built in the given build folder.
set -euo pipefail
build=${1:-build-bench}
echo "== engine micro-benchmarks"
"$build/bench/engine_bench" --benchmark_counters_tabular=true
echo
echo "== whole runs"
"$build/bench/pipeline_bench"
