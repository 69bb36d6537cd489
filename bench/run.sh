#!/usr/bin/env bash
# Builds and runs the benchmarks against throwaway servers.
#   bench/run.sh [COUNT]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --servers
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target schemon_bench_statement_cost
tests/servers/with_servers.sh build/bench/schemon_bench_statement_cost "${1:-5000}"
