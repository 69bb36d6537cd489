# The common start of the upgrade benchmarks, sourced from the project root
# with BUILD and BENCH_NAME set: builds schemon and runs the benchmark again
# under throwaway servers (tests/servers/with_servers.sh) unless they run
# already. Then sets SCHEMON, WORK (a scratch directory removed on exit),
# setting() and the servers' PG_HOST, PG_PORT, PG_USER, MYSQL_SOCKET and
# MYSQL_USER.

if [ -z "${SCHEMON_TEST_PGSQL:-}" ] || [ -z "${SCHEMON_TEST_MYSQL:-}" ]; then
  cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$BUILD" -j"$(nproc)" --target schemon >/dev/null
  exec tests/servers/with_servers.sh "$0" "$@"
fi
SCHEMON=$PWD/$BUILD/schemon
WORK=$(mktemp -d "${TMPDIR:-/tmp}/$BENCH_NAME.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

# "key=value key=value" -> value of key
setting() { tr ' ' '\n' <<<"$1" | sed -n "s/^$2=//p"; }
MYSQL_SOCKET=$(setting "$SCHEMON_TEST_MYSQL" socket)
MYSQL_USER=$(setting "$SCHEMON_TEST_MYSQL" user)
PG_HOST=$(setting "$SCHEMON_TEST_PGSQL" host)
PG_PORT=$(setting "$SCHEMON_TEST_PGSQL" port)
PG_USER=$(setting "$SCHEMON_TEST_PGSQL" user)
