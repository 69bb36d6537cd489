#!/usr/bin/env bash
# Builds schemon and runs every test: on SQLite, and on throwaway PostgreSQL
# and MariaDB servers (also through ODBC) that it starts and stops itself,
# and builds and checks the Debian package (scripts/package-check.sh).
# Then builds it again with AddressSanitizer and UndefinedBehaviorSanitizer
# (clang) and runs the whole suite once more on SQLite, and runs each fuzz
# target of tests/fuzz for a short time on its corpus. Every part prints its
# wall time; a sanitizer report anywhere fails the run, and so does a
# backend whose server was started but that ran no test (each suite prints
# the count of tests per backend).
# Usage: scripts/test-all.sh [--sqlite-only] [--no-hardening|--hardening-only]
#   --sqlite-only     no servers: the normal suite runs on SQLite alone
#   --no-hardening    only the normal build and suite
#   --hardening-only  only the sanitizer build and suite and the fuzz runs
#   SCHEMON_FUZZ_SECONDS  time per fuzz target (default 30)
#   SCHEMON_BUILD, SCHEMON_ASAN_BUILD, SCHEMON_FUZZ_BUILD  build directories
#                   (default build, build-asan, build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."

with_servers=1
hardening=1
normal=1
for option in "$@"; do
  case "$option" in
    --sqlite-only) with_servers=0 ;;
    --no-hardening) hardening=0 ;;
    --hardening-only) normal=0; with_servers=0 ;;
    *) echo "test-all: unknown option $option" >&2; exit 1 ;;
  esac
done

deps=()
if [ "$with_servers" = 1 ]; then deps+=(--servers); fi
if [ "$hardening" = 1 ]; then deps+=(--hardening); fi
if [ "$normal" = 1 ]; then deps+=(--packaging); fi
scripts/install-deps.sh "${deps[@]}"

build=${SCHEMON_BUILD:-build}
build_asan=${SCHEMON_ASAN_BUILD:-build-asan}
build_fuzz=${SCHEMON_FUZZ_BUILD:-build-fuzz}
started=$SECONDS
part_started=$SECONDS
part_done() {
  echo "test-all: $1 took $((SECONDS - part_started)) s"
  part_started=$SECONDS
}

if [ "$normal" = 1 ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCHEMON_BUILD_TESTS=ON
  cmake --build "$build" -j"$(nproc)"
  part_done "normal build"
fi

# Test databases live in memory when the machine has a tmpfs: the embedded
# database syncs every statement of an init script to disk otherwise.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  TMPDIR=$(mktemp -d /dev/shm/schemon-tests.XXXXXX)
  chmod 755 "$TMPDIR"
  export TMPDIR
  trap 'rm -rf "$TMPDIR"' EXIT
fi

# The ctest output is kept to count the tests each backend ran: a backend
# whose server was started must have run tests.
if [ "$normal" = 1 ]; then
  suite_log=$(cd "$build" && pwd)/ctest-normal.log
  suite_rc=0
  if [ "$with_servers" = 1 ]; then
    backends=(sqlite pgsql mysql odbc_pgsql odbc_sqlite)
    SCHEMON_BUILD=$build SCHEMON_CTEST_LOG=$suite_log \
      tests/servers/with_servers.sh bash -c 'set -o pipefail
        cd "$SCHEMON_BUILD" &&
        ctest --output-on-failure -j"$(nproc)" 2>&1 | tee "$SCHEMON_CTEST_LOG"' ||
      suite_rc=$?
  else
    backends=(sqlite)
    (cd "$build" && ctest --output-on-failure -j"$(nproc)") 2>&1 |
      tee "$suite_log" || suite_rc=$?
  fi
  scripts/count-backend-tests.sh "$suite_log" "${backends[@]}" || suite_rc=1
  part_done "normal suite"
  if [ "$suite_rc" != 0 ]; then
    echo "test-all: the normal suite failed"
    exit 1
  fi
  scripts/package-check.sh "$build"
  part_done "package check"
fi

if [ "$hardening" = 0 ]; then exit 0; fi

# Sanitizer reports go to files, so that one from a child process whose
# output a test swallows still fails the run.
cmake -S . -B "$build_asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DSCHEMON_SANITIZE=address,undefined \
  -DSCHEMON_BUILD_TESTS=ON >/dev/null
cmake --build "$build_asan" -j"$(nproc)"
part_done "sanitizer build"

reports=$(mktemp -d "${TMPDIR:-/tmp}/schemon-sanitizer.XXXXXX")
sanitized_ctest=0
(
  export ASAN_OPTIONS="detect_leaks=1:log_path=$reports/asan"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$reports/ubsan"
  cd "$build_asan" && ctest --output-on-failure -j"$(nproc)"
) 2>&1 | tee "$build_asan/ctest-sanitizer.log" || sanitized_ctest=1
scripts/count-backend-tests.sh "$build_asan/ctest-sanitizer.log" sqlite ||
  sanitized_ctest=1
if compgen -G "$reports/*" >/dev/null; then
  echo "test-all: sanitizer reports:"
  for report in "$reports"/*; do
    echo "== $report"
    cat "$report"
  done
  sanitized_ctest=1
fi
rm -rf "$reports"
part_done "sanitizer suite (SQLite)"
if [ "$sanitized_ctest" = 1 ]; then
  echo "test-all: the sanitizer suite failed"
  exit 1
fi

SCHEMON_FUZZ_BUILD=$build_fuzz tests/fuzz/run.sh "${SCHEMON_FUZZ_SECONDS:-30}"
part_done "fuzz runs"
echo "test-all: everything passed in $((SECONDS - started)) s"
