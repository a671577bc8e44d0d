#!/usr/bin/env bash
# B6: the headless driver as a whole process, start-up to the first picture written:
#   quorbel-render -C data -o first.png
# and beside it the same start without -o, for the picture file's share of the run.
# Uses hyperfine when it is installed, otherwise times RUNS runs with date +%s%N and prints the
# mean, the median and the fastest. Then the peak resident memory (/usr/bin/time -v) at start-up
# and after the longest repeat display the panel allows (the built-in curve with c 1 to 100 over
# θ −100π to 100π: 100 curves of 72,000 steps).
# Usage: bench/b6.sh [BUILD_DIR] [RUNS]   (defaults: build, 20)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-20}
render="$build/src/quorbel-render"
[ -x "$render" ] || { echo "b6.sh: $render is not built" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
command=("$render" -C data -o "$out/first.png")

echo "B6 start to first picture (target < 60 ms):"
if command -v hyperfine >/dev/null; then
  hyperfine --warmup 3 --runs "$runs" "${command[*]}"
else
  "${command[@]}" >/dev/null  # warm the file cache and the font cache
  times=()
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "${command[@]}" >/dev/null
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk -v runs="$runs" '
    { t[NR] = $1; sum += $1 }
    END { printf "  %d runs: mean %.1f ms, median %.1f ms, fastest %.1f ms\n", runs, sum / NR / 1000,
          t[int((NR + 1) / 2)] / 1000, t[1] / 1000 }'
fi

# The picture file's share of the run: the same start with and without -o, in CPU time (user +
# system, which a busy shared machine disturbs far less than the clock). The shell reports CPU
# time in whole milliseconds, so each sample is a block of 5 runs; blocks of the two commands
# alternate, and the medians of the blocks are compared.
cpu_ms() {  # the CPU time of 5 runs of the command, per run, in milliseconds
  local TIMEFORMAT='%3U %3S' times
  times=$( { time for _ in 1 2 3 4 5; do "$@" >/dev/null; done; } 2>&1 )
  awk '{ printf "%.2f\n", ($1 + $2) * 1000 / 5 }' <<<"$times"
}
median() { sort -n | awk '{ t[NR] = $1 } END { print (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2 }'; }
blocks=$(( (runs + 4) / 5 ))
echo "Picture file share (target: with -o at most 1.2x without), CPU time, $blocks blocks of 5 runs each, alternating:"
with=() without=()
for ((i = 0; i < blocks; i++)); do
  with+=("$(cpu_ms "${command[@]}")")
  without+=("$(cpu_ms "$render" -C data)")
done
with_median=$(printf '%s\n' "${with[@]}" | median)
without_median=$(printf '%s\n' "${without[@]}" | median)
awk -v a="$with_median" -v b="$without_median" 'BEGIN {
  printf "  median with -o first.png %.2f ms, without %.2f ms: %.2fx\n", a, b, (b > 0 ? a / b : 0) }'
for file in first.svg first.pdf; do
  printf '  -o %s: median %s ms CPU\n' "$file" \
    "$(for ((i = 0; i < blocks; i++)); do cpu_ms "$render" -C data -o "$out/$file"; done | median)"
done
printf '  -o first.png --scale 4: median %s ms CPU\n' \
  "$(for ((i = 0; i < blocks; i++)); do cpu_ms "$render" -C data -o "$out/first-4x.png" --scale 4; done | median)"

peak() {  # the maximum resident set size of one run, in MB
  local report
  if ! report=$(/usr/bin/time -v "$@" 2>&1 >/dev/null); then
    echo "failed: $report"
    return
  fi
  awk '/Maximum resident set size/ { printf "%.1f MB", $6 / 1024 }' <<<"$report"
}
if [ -x /usr/bin/time ]; then
  echo "Peak resident memory of the core (target < 30 MB):"
  echo "  start-up:             $(peak "${command[@]}")"
  echo "  worst repeat display: $(peak "$render" -C data -o "$out/worst.png" choose:0 set:updStart=-100 \
       set:updSend=100 set:updRpStart=1 set:updRpEnd=100 press:btnHanpuku)"
fi
