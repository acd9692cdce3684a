#!/usr/bin/env bash
# Measures the compile of each case in a process of its own, then the whole
# run of scenario-writer in an empty folder (average of 200 runs).
set -euo pipefail
cd "$(dirname "$0")/.."
for case in Embedded Maximal; do
  build/bin/compile_benchmark --benchmark_filter="$case" \
    --benchmark_min_time=2 2>/dev/null | grep BM_
done
# One compile alone, as a run does it, for the peak memory of one compile.
build/bin/compile_benchmark --benchmark_filter=Maximal \
  --benchmark_min_time=0.000001 2>/dev/null | grep BM_ | sed 's/^/single: /'
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp build/bin/scenario-writer "$folder/"
runs=200
start=$(date +%s%N)
for ((i = 0; i < runs; ++i)); do
  DISPLAY= "$folder/scenario-writer" 2>/dev/null </dev/null
done
end=$(date +%s%N)
echo "scenario-writer, whole run: $(( (end - start) / runs / 1000 )) us on average over $runs runs"
