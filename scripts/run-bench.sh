#!/usr/bin/env bash
# Runs the benchmarks built in the given build folder.
set -euo pipefail
build=${1:-build-bench}
echo "== engine micro-benchmarks"
"$build/bench/engine_bench" --benchmark_counters_tabular=true
echo
echo "== inside test and spacing, with and without their indexes"
"$build/bench/input_bench"
echo
echo "== drawing rules of the repaint"
"$build/bench/drawing_bench"
if [[ -x "$build/bench/repaint_bench" ]]; then
    echo
    echo "== repaint into the window's image"
    "$build/bench/repaint_bench" --benchmark_counters_tabular=true
fi
echo
echo "== whole runs"
"$build/bench/pipeline_bench"
if [[ -d "$build/python/tesu" ]]; then
    echo
    echo "== the Python module against tesu-batch"
    /usr/bin/python3 "$(dirname "$0")/../bench/python_bench.py" "$build"
fi
