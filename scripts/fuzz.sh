#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each, one after the other, for
# SECONDS (default 60) or, with -n RUNS, for RUNS executions (then without a time limit unless
# SECONDS is given too), starting from the seed corpus in tests/fuzz/corpus/<target>/. New inputs
# the fuzzer finds go to build-fuzz/corpus/<target>/, crashing inputs to build-fuzz/artifacts/.
# Leaks are looked for once, when a target's run ends, not after every input (the scan costs more
# than most inputs). Prints, per target, the executions, the executions a second and the seconds.
# Exits non-zero when a target crashed or leaked.
#
# Usage: scripts/fuzz.sh [-n RUNS] [SECONDS] [TARGET...]
#   scripts/fuzz.sh                          every target for a minute, as a quick check
#   scripts/fuzz.sh -n 10000000 fuzz_plot    a campaign of ten million executions of one target;
#                                            on one core the formula target runs about 2,900 a
#                                            second, the record about 700, the folder about 500
#                                            and the plot about 300 (about nine hours)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=-1
if [ "${1:-}" = "-n" ]; then
  runs=$2
  shift 2
fi
seconds=60
[ "$runs" -ge 0 ] && seconds=0
if [ $# -gt 0 ] && [[ $1 =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi

compiler=${QUORBEL_FUZZ_CXX:-clang++-14}
if ! command -v "$compiler" >/dev/null; then
  echo "fuzz.sh: $compiler is not installed (apt-get install clang-14 libclang-rt-14-dev)" >&2
  exit 1
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$compiler" \
  -DQUORBEL_FUZZ=ON -DQUORBEL_QT=OFF -DQUORBEL_BENCH=OFF >/dev/null
cmake --build build-fuzz --target fuzz -j "${QUORBEL_JOBS:-2}"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in tests/fuzz/fuzz_*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p build-fuzz/artifacts build-fuzz/logs
failed=0
for target in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$target"
  dictionary=()
  [ -f "tests/fuzz/$target.dict" ] && dictionary=(-dict="$PWD/tests/fuzz/$target.dict")
  log="build-fuzz/logs/$target.log"
  echo "fuzz.sh: $target: $([ "$runs" -ge 0 ] && echo "$runs runs" || echo "${seconds}s")"
  if "$PWD/build-fuzz/tests/fuzz/$target" -runs="$runs" -max_total_time="$seconds" -detect_leaks=0 \
       -timeout=60 -rss_limit_mb=2048 \
       -max_len=8192 -print_final_stats=1 -artifact_prefix="$PWD/build-fuzz/artifacts/$target-" \
       "${dictionary[@]}" "$PWD/build-fuzz/corpus/$target" "$PWD/tests/fuzz/corpus/$target" >"$log" 2>&1; then
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec)|^Done' "$log" | tr '\n' ' '; echo
  else
    echo "fuzz.sh: $target FAILED; see $log and build-fuzz/artifacts/" >&2
    tail -n 40 "$log" >&2
    failed=1
  fi
done
exit $failed
