#!/usr/bin/env bash
# The long fuzzing campaign, run by hand: every target for an hour by
# default (give the seconds as the first argument), a third of the time on
# long inputs, any input slower than a second a failure. Crashes and slow
# inputs are written to fuzz/findings/, to be kept in fuzz/regressions/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-3600}
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSCENARIO_FUZZ=ON >/dev/null
cmake --build build-fuzz --target compile_fuzzer dump_fuzzer tool_fuzzer
mkdir -p fuzz/findings
for target in compile dump tool; do
  corpus=$(mktemp -d)
  seeds=()
  for folder in fuzz/corpus/$target fuzz/regressions/$target; do
    [[ -d $folder ]] && seeds+=("$folder")
  done
  [[ $target == tool ]] && seeds+=(fuzz/corpus/compile fuzz/regressions/compile)
  build-fuzz/bin/${target}_fuzzer -max_total_time=$((seconds * 2 / 3)) \
    -timeout=1 -rss_limit_mb=2048 -max_len=200000 -dict=fuzz/keywords.dict \
    -artifact_prefix=fuzz/findings/$target- "$corpus" "${seeds[@]}"
  build-fuzz/bin/${target}_fuzzer -max_total_time=$((seconds / 3)) \
    -timeout=1 -rss_limit_mb=2048 -len_control=0 -max_len=2000000 \
    -dict=fuzz/keywords.dict -artifact_prefix=fuzz/findings/$target- \
    "$corpus" "${seeds[@]}"
  rm -rf "$corpus"
done
