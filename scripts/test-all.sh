#!/usr/bin/env bash
# Builds schemon and runs every test: on SQLite, and on throwaway PostgreSQL
# and MariaDB servers (also through ODBC) that it starts and stops itself.
# Usage: scripts/test-all.sh [--sqlite-only]
set -euo pipefail
cd "$(dirname "$0")/.."

with_servers=1
if [ "${1:-}" = "--sqlite-only" ]; then with_servers=0; fi

if [ "$with_servers" = 1 ]; then
  scripts/install-deps.sh --servers
else
  scripts/install-deps.sh
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCHEMON_BUILD_TESTS=ON
cmake --build build -j"$(nproc)"

# Test databases live in memory when the machine has a tmpfs: the embedded
# database syncs every statement of an init script to disk otherwise.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  TMPDIR=$(mktemp -d /dev/shm/schemon-tests.XXXXXX)
  chmod 755 "$TMPDIR"
  export TMPDIR
  trap 'rm -rf "$TMPDIR"' EXIT
fi

run_ctest() { (cd build && ctest --output-on-failure -j"$(nproc)" "$@"); }
if [ "$with_servers" = 1 ]; then
  tests/servers/with_servers.sh bash -c 'cd build && ctest --output-on-failure -j"$(nproc)"'
else
  run_ctest
fi
