#!/usr/bin/env bash
# Counts, in the output of a ctest run, the tests of each backend suite that
# ran (passed or failed; skipped ones do not count), prints one line with
# the counts, and fails when a backend that the run enabled ran no test:
# its server was started, but its tests did not run against it.
# Usage: scripts/count-backend-tests.sh CTEST_OUTPUT BACKEND...
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 CTEST_OUTPUT BACKEND..." >&2; exit 2; }
output=$1
shift

counts=""
missing=()
for backend in sqlite pgsql mysql odbc_pgsql odbc_sqlite; do
  # "12/900 Test #12: Backends/Suite.Test/pgsql  # GetParam() = pgsql ...
  # Passed"; the name ends at the blank after the backend. A test that ran
  # passed, failed, timed out or crashed; "Skipped" and "Not Run" did not.
  ran=$(grep -E "^ *[0-9]+/[0-9]+ Test +#[0-9]+: Backends/[^ ]+/$backend " \
    "$output" |
    grep -cE ' (Passed|\*\*\*Failed|\*\*\*Timeout|\*\*\*Exception)' ||
    true)
  counts+=" $backend $ran,"
  for wanted in "$@"; do
    if [ "$wanted" = "$backend" ] && [ "$ran" -eq 0 ]; then
      missing+=("$backend")
    fi
  done
done
echo "test-all: backend tests run:${counts%,}"
if [ ${#missing[@]} -gt 0 ]; then
  echo "test-all: no test ran on ${missing[*]}, although the run" \
    "enabled it" >&2
  exit 1
fi
