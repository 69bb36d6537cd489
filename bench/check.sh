#!/usr/bin/env bash
# Times "schemon -f check" on a generated version-98 network against the two
# floors of a per-row check (the same lookups through the C library with
# prepared statements) and of any check (set-based SQL), on SQLite,
# PostgreSQL and MariaDB (throwaway servers).
#   bench/check.sh [SQLITE_NODES [SERVER_NODES]]     defaults 100000, 20000
# BUILD (default build) is the build directory; BACKENDS (default
# "sqlite pgsql mysql") the backends to run.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=${BUILD:-build}
export BUILD SQLITE_NODES=${1:-100000} SERVER_NODES=${2:-20000}
export BACKENDS=${BACKENDS:-sqlite pgsql mysql}

if [[ -z "${CHECK_BENCH_INNER:-}" ]]; then
  cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$BUILD" -j2 --target schemon schemon_bench_check_floor >/dev/null
  CHECK_BENCH_INNER=1 TMPDIR=${TMPDIR:-/dev/shm} \
    exec tests/servers/with_servers.sh "$ROOT/bench/check.sh" "$@"
fi

SCHEMON=$ROOT/$BUILD/schemon
FLOOR=$ROOT/$BUILD/bench/schemon_bench_check_floor
WORK=$(mktemp -d "${TMPDIR:-/tmp}/check_bench.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

# "key=value key=value" of a server variable, one value by key.
setting() { tr ' ' '\n' <<<"$1" | sed -n "s/^$2=//p"; }

# Runs the timed check and prints its figures next to the floor's.
# measure NAME CONFIG FLOOR-ARGS...
measure() {
  local name=$1 config=$2
  shift 2
  local floor
  floor=$("$FLOOR" "$@")
  /usr/bin/time -v -o "$WORK/time.txt" "$SCHEMON" -c "$config" -f check \
    >"$WORK/check.out" </dev/null
  local elapsed rss summary
  elapsed=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' \
    "$WORK/time.txt" | awk -F: '{s=0; for (i=1; i<=NF; i++) s=s*60+$i; print s}')
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$WORK/time.txt")
  summary=$(grep 'errors was found' "$WORK/check.out" || echo "no summary")
  python3 - "$name" "$floor" "$elapsed" "$rss" "$summary" <<'PY'
import sys
name, floor, elapsed, rss, summary = sys.argv[1:]
f = dict(kv.split("=") for kv in floor.split())
rows, prep, setb, t = int(f["rows"]), float(f["prepared"]), float(f["setbased"]), float(elapsed)
print("%-7s rows=%d check=%.2fs (%.0f rows/s) prepared-floor=%.2fs (%.0f rows/s) "
      "set-based=%.2fs  check/prepared=%.2f check/set-based=%.1f  peak=%d MB  [%s]"
      % (name, rows, t, rows / t, prep, rows / prep, setb, t / prep,
         t / max(setb, 0.001), int(rss) // 1024, summary))
PY
}

for backend in $BACKENDS; do
  case $backend in
  sqlite)
    db=$WORK/bench.db
    printf 'DBDriver=sqlite\nDBName=%s\n' "$db" >"$WORK/sqlite.conf"
    "$SCHEMON" -c "$WORK/sqlite.conf" init lib/sql/dbinit_sqlite.sql >/dev/null
    python3 bench/check_generate.py sqlite "$SQLITE_NODES" | sqlite3 "$db"
    measure sqlite "$WORK/sqlite.conf" sqlite "$db"
    ;;
  pgsql)
    host=$(setting "$SCHEMON_TEST_PGSQL" host)
    port=$(setting "$SCHEMON_TEST_PGSQL" port)
    user=$(setting "$SCHEMON_TEST_PGSQL" user)
    psql=(psql -X -q -h "$host" -p "$port" -U "$user")
    "${psql[@]}" -d postgres -c 'DROP DATABASE IF EXISTS check_bench' >/dev/null
    "${psql[@]}" -d postgres -c 'CREATE DATABASE check_bench' >/dev/null
    printf 'DBDriver=pgsql\nDBServer=%s\nDBName=check_bench\nDBLogin=%s\nDBDrvParams="port=%s"\n' \
      "$host" "$user" "$port" >"$WORK/pgsql.conf"
    "$SCHEMON" -c "$WORK/pgsql.conf" init lib/sql/dbinit_pgsql.sql >/dev/null
    python3 bench/check_generate.py pgsql "$SERVER_NODES" |
      "${psql[@]}" -d check_bench -v ON_ERROR_STOP=1 >/dev/null
    "${psql[@]}" -d check_bench -c 'ANALYZE' >/dev/null
    measure pgsql "$WORK/pgsql.conf" pgsql \
      "host=$host port=$port user=$user dbname=check_bench"
    ;;
  mysql)
    socket=$(setting "$SCHEMON_TEST_MYSQL" socket)
    mysql=(mysql -S "$socket" -u root)
    "${mysql[@]}" -e 'DROP DATABASE IF EXISTS check_bench; CREATE DATABASE check_bench'
    printf 'DBDriver=mysql\nDBServer=localhost\nDBName=check_bench\nDBLogin=root\nDBDrvParams="socket=%s"\n' \
      "$socket" >"$WORK/mysql.conf"
    "$SCHEMON" -c "$WORK/mysql.conf" init lib/sql/dbinit_mysql.sql >/dev/null
    python3 bench/check_generate.py mysql "$SERVER_NODES" |
      "${mysql[@]}" check_bench
    measure mysql "$WORK/mysql.conf" mysql "$socket" check_bench
    ;;
  esac
done
