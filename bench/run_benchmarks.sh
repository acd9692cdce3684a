#!/usr/bin/env bash
# Measures the programs as a user runs them: whole processes, each in a
# fresh folder, against the floor each row names: copying the same bytes
# into a fresh folder (`cp`), and flushing them too (`cp` + `sync`) for a
# program that flushes what it writes. Each row pairs a run with its floor,
# in turn, RUNS times (default 11; each of them REPS runs, default 10), and
# reports the median of the ratios of CPU time (user + system) with their
# range; or a peak memory, a size, or the report page's load in headless
# Chromium (when /usr/bin/chromium is there). Needs GNU time
# (/usr/bin/time, Debian's package "time"). Run after ./build.sh test,
# which builds the benchmarks; prints the table the README shows.
#
# The in-process micro-benchmarks are separate:
#   build/bin/compile_benchmark   (repeated compiles in one process)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-11}
bin=$PWD/build/bin
[[ -x /usr/bin/time ]] || { echo "needs /usr/bin/time (apt-get install time)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The largest legal scenario: 1000 km, curves throughout, 1000 signals, 20
# slow-downs, 38 stations; and its texts written on one line.
texts=$work/texts
mkdir -p "$texts" "$texts/one_line"
"$bin/make_scenario" maximal "$texts"
for f in R_linea.txt R_1-.txt; do
  # Line ends delimit items as commas do: the same items on one line.
  tr -d '\r' < "$texts/$f" | tr '\n' ',' > "$texts/one_line/$f"
done
"$bin/scenario-tool" compile "$texts/R_linea.txt" "$texts/R_1-.txt" \
  -o "$texts/package" > /dev/null || true
package=$texts/package

# CPU seconds and peak KiB of a command run REPS times (default 10), each
# time in a fresh folder made beforehand: the clock counts 10 ms steps.
reps=${REPS:-10}
measure() {
  local folders=()
  for ((k = 0; k < reps; ++k)); do folders+=("$(mktemp -d "$work/run.XXXXXX")"); done
  /usr/bin/time -f "%U %S %M" -o "$work/time" bash -c '
    folders=($1); shift
    for folder in "${folders[@]}"; do (cd "$folder" && "$@" > /dev/null 2>&1); done
  ' _ "${folders[*]}" "$@" || true
  read -r user sys peak < "$work/time"
  rm -rf "${folders[@]}"
  echo "$(echo "$user + $sys" | bc -l) $peak"
}

# Median and range of "a / b" over paired runs of two commands.
ratio() {
  local name=$1 floor=$2 goal=$3
  shift 3
  local -a first second
  local split
  for ((i = 1; i <= $#; ++i)); do [[ ${!i} == "--" ]] && split=$i; done
  first=("${@:1:split-1}")
  second=("${@:split+1}")
  local ratios=()
  for ((r = 0; r < runs; ++r)); do
    read -r a _ < <(measure "${first[@]}")
    read -r b _ < <(measure "${second[@]}")
    # Times below the clock's 10 ms step count as one step.
    ratios+=("$(echo "a=$a; b=$b; if (a < 0.01) a = 0.01; if (b < 0.01) b = 0.01; a / b" | bc -l)")
  done
  sorted=$(printf '%s\n' "${ratios[@]}" | sort -g)
  median=$(echo "$sorted" | sed -n "$(((runs + 1) / 2))p")
  low=$(echo "$sorted" | head -1)
  high=$(echo "$sorted" | tail -1)
  printf '| %s | %s | %.2f × (%.2f to %.2f) | %s |\n' "$name" "$floor" "$median" "$low" "$high" "$goal"
}

peak() {
  local name=$1 goal=$2
  shift 2
  read -r _ kib < <(reps=1 measure "$@")
  printf '| %s | | %.1f MiB | %s |\n' "$name" "$(echo "$kib / 1024" | bc -l)" "$goal"
}

plan=$package/R_linea.dat
writer_folder=$work/writer
mkdir -p "$writer_folder"
cp "$bin/scenario-writer" "$writer_folder/"
(cd "$writer_folder" && DISPLAY= ./scenario-writer 2> /dev/null)
six=("$writer_folder"/Valdorsio-Ronsale*)
six_names=()
for f in "${six[@]}"; do six_names+=("$(basename "$f")"); done

# The page's load in headless Chromium: the load event's time from the
# navigation's start, and the nodes of the document once its script has
# run (elements, texts and the rest), read by a probe put into a copy.
page_probe() {
  local page=$1 copy=$work/probe.html
  sed 's|<head>|<head><script>addEventListener("load", () => { const n = performance.getEntriesByType("navigation")[0]; let nodes = 0; const w = document.createTreeWalker(document, NodeFilter.SHOW_ALL); while (w.nextNode()) ++nodes; document.documentElement.dataset.probe = Math.round(n.loadEventStart) + " " + nodes; });</script>|' \
    "$page" > "$copy"
  chromium --headless --no-sandbox --disable-gpu --user-data-dir="$work/chromium" \
    --dump-dom "file://$copy" 2> /dev/null | grep -o 'data-probe="[^"]*"' | tr -d '"' | cut -d= -f2
}

echo "| what (the largest route unless said) | floor | measured | goal |"
echo "|---|---|---|---|"
ratio "\`compile\` of the texts" "\`cp\` + \`sync\` of its three files" "≤ 1.5" \
  "$bin/scenario-tool" compile "$texts/R_linea.txt" "$texts/R_1-.txt" -o out -- \
  sh -c "cp '$package/R_linea.dat' '$package/R_1.sim' '$package/R_1.dat' . && sync R_linea.dat R_1.sim R_1.dat"
peak "\`compile\`, peak memory" "≤ 8 MiB" \
  "$bin/scenario-tool" compile "$texts/R_linea.txt" "$texts/R_1-.txt" -o out
ratio "\`scenario-writer\`, no display" "\`cp\` + \`sync\` of its six files" "≤ 1.1" \
  sh -c "cp '$bin/scenario-writer' . && DISPLAY= ./scenario-writer 2> /dev/null" -- \
  sh -c "cp '$bin/scenario-writer' . && cp ${six[*]} . && sync ${six_names[*]}"
ratio "\`check\`" "\`scenario-tool --version\`" "≤ 3.0" \
  "$bin/scenario-tool" check "$texts/R_linea.txt" "$texts/R_1-.txt" -- \
  "$bin/scenario-tool" --version
ratio "\`check\` of the texts on one line" "the same on many lines" "≤ 2.0" \
  "$bin/scenario-tool" check "$texts/one_line/R_linea.txt" \
  "$texts/one_line/R_1-.txt" --route-name R --train-number 1 -- \
  "$bin/scenario-tool" check "$texts/R_linea.txt" "$texts/R_1-.txt"
# Files of the dumps' sizes, for their floors.
for format in text csv json; do
  "$bin/scenario-tool" dump "$plan" --format $format > "$work/plan.$format"
done
for format in text csv json; do
  ratio "\`dump\` of the plan as $format" "\`cp\` of a file of its size" \
    "$([[ $format == text ]] && echo "≤ 4" || echo "≤ 6")" \
    sh -c "'$bin/scenario-tool' dump '$plan' --format $format > out" -- \
    cp "$work/plan.$format" copy
done
for format in text csv json; do
  peak "\`dump\` of the plan as $format, peak memory" "≤ 8 MiB" \
    sh -c "'$bin/scenario-tool' dump '$plan' --format $format > out"
done
peak "\`plot --from\` the package, peak memory" "≤ 12 MiB" \
  "$bin/scenario-tool" plot --from "$package" -o plot.svg
peak "\`report\` of the texts, peak memory" "≤ 12 MiB" \
  "$bin/scenario-tool" report "$texts/R_linea.txt" "$texts/R_1-.txt" -o report.html
svg=$work/plot.svg
"$bin/scenario-tool" plot --from "$package" -o "$svg" > /dev/null
printf '| `plot --from` the package, SVG size | | %d KB | ≤ 300 KB |\n' \
  "$(($(stat -c %s "$svg") / 1000))"
page=$work/report.html
"$bin/scenario-tool" report "$texts/R_linea.txt" "$texts/R_1-.txt" -o "$page" > /dev/null
printf '| `report` of the texts, page size | | %d KB | ≤ 600 KB |\n' \
  "$(($(stat -c %s "$page") / 1000))"
if command -v chromium > /dev/null; then
  loads=()
  for ((r = 0; r < runs; ++r)); do
    read -r load nodes < <(page_probe "$page")
    loads+=("$load")
  done
  printf '| `report` of the texts, nodes once drawn | | %d | ≤ 5,000 |\n' "$nodes"
  load=$(printf '%s\n' "${loads[@]}" | sort -g | sed -n "$(((runs + 1) / 2))p")
  printf '| `report` of the texts, load event in headless Chromium | | %.2f s | ≤ 0.4 s |\n' \
    "$(echo "$load / 1000" | bc -l)"
else
  echo "| \`report\` page in Chromium | | not measured: no /usr/bin/chromium | |"
fi
