#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for SECONDS on its seed corpus.
# Usage: tests/fuzz/run.sh SECONDS [TARGET...]
#   SCHEMON_FUZZ_BUILD  build directory (default build-fuzz)
#   SCHEMON_FUZZ_WORK   where new corpus inputs and crash files go (default
#                       a temporary directory, removed when nothing crashed)
#   SCHEMON_FUZZ_JOBS   targets run at the same time (default 1)
# A crash, a sanitizer report or a violated property fails the run; the
# input is kept as <work>/<target>/crash-* and printed in hex. Add it to
# tests/fuzz/corpus/<target>/ as a regression case once it is mended.
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${1:?usage: tests/fuzz/run.sh SECONDS [TARGET...]}
shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=($(sed -n 's/^set(SCHEMON_FUZZ_TARGETS \(.*\))$/\1/p' tests/fuzz/CMakeLists.txt))
fi
build=${SCHEMON_FUZZ_BUILD:-build-fuzz}
jobs=${SCHEMON_FUZZ_JOBS:-1}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DSCHEMON_FUZZ=ON \
  -DSCHEMON_SANITIZE=address,undefined -DSCHEMON_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

# The targets write their scratch files into TMPDIR; memory is faster.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
work=${SCHEMON_FUZZ_WORK:-}
keep_work=1
if [ -z "$work" ]; then
  work=$(mktemp -d "${TMPDIR:-/tmp}/schemon-fuzz.XXXXXX")
  keep_work=0
fi
# Scratch files of a target that crashed stay with its logs.
mkdir -p "$work/tmp"
export TMPDIR="$work/tmp"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

run_one() {
  local name=$1 dir="$work/$1" max_len=8192
  # Import files are SQLite databases: the seeds hold every core table.
  if [ "$name" = import ]; then max_len=131072; fi
  mkdir -p "$dir/corpus"
  if "$build/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=30 \
      -rss_limit_mb=2048 -max_len="$max_len" -print_final_stats=1 \
      -artifact_prefix="$dir/" "$dir/corpus" "tests/fuzz/corpus/$name" \
      >"$dir/log" 2>&1; then
    echo "fuzz $name: ok, $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$dir/log" | grep -o '[0-9]*$') runs in ${seconds}s"
    return 0
  fi
  echo "fuzz $name: FAILED"
  tail -n 60 "$dir/log"
  for crash in "$dir"/crash-* "$dir"/leak-* "$dir"/timeout-* "$dir"/oom-*; do
    [ -e "$crash" ] || continue
    echo "input $crash:"
    od -A d -t x1z "$crash" | head -n 40
  done
  return 1
}

failed=0
pids=()
names=()
for name in "${targets[@]}"; do
  if [ "$jobs" -le 1 ]; then
    run_one "$name" || failed=1
    continue
  fi
  run_one "$name" >"$work/$name.report" 2>&1 &
  pids+=($!)
  names+=("$name")
  if [ ${#pids[@]} -ge "$jobs" ]; then
    wait "${pids[0]}" || failed=1
    cat "$work/${names[0]}.report"
    pids=("${pids[@]:1}")
    names=("${names[@]:1}")
  fi
done
for i in "${!pids[@]}"; do
  wait "${pids[$i]}" || failed=1
  cat "$work/${names[$i]}.report"
done

if [ "$failed" = 0 ] && [ "$keep_work" = 0 ]; then
  rm -rf "$work"
elif [ "$failed" = 1 ]; then
  echo "fuzz: inputs and logs kept in $work"
fi
exit "$failed"
