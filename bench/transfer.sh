#!/usr/bin/env bash
# Export and import benchmark against throwaway servers, with the usual
# tools as peers, all on the same generated data in one run:
#   bench/transfer.sh [NODES] [ROWS]        (default 1000 nodes, 10000000 rows)
# ROWS collected-data rows are spread over the NODES per-node tables; the
# core tables get an event log, alarms and items with long texts.
# Environment: BUILD (build directory holding schemon, default build),
# WORK (scratch directory, default a new one under /dev/shm or /tmp),
# SERVERS=no (only the SQLite runs: export, the .dump peer, import).
# Prints, per run, the rows, seconds, rows per second and peak memory
# (from /usr/bin/time -v), the CPU seconds of the process and its children
# (the client side only; servers are not counted), and the ratio of rows
# per second to the peer where there is one.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
servers=${SERVERS:-yes}
if [ "$servers" != no ] && { [ -z "${SCHEMON_TEST_PGSQL:-}" ] || [ -z "${SCHEMON_TEST_MYSQL:-}" ]; }; then
  exec tests/servers/with_servers.sh "$0" "$@"
fi
nodes=${1:-1000}
rows=${2:-10000000}
schemon="$root/${BUILD:-build}/schemon"
[ -x "$schemon" ] || { echo "no $schemon: build first" >&2; exit 1; }
base=/dev/shm
[ -w "$base" ] || base=/tmp
work=${WORK:-$(mktemp -d "$base/schemon_bench.XXXXXX")}
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

# Server settings: "key=value key=value".
setting() { tr ' ' '\n' <<<"$1" | sed -n "s/^$2=//p"; }
pg_host=$(setting "${SCHEMON_TEST_PGSQL:-}" host)
pg_port=$(setting "${SCHEMON_TEST_PGSQL:-}" port)
pg_user=$(setting "${SCHEMON_TEST_PGSQL:-}" user)
my_socket=$(setting "${SCHEMON_TEST_MYSQL:-}" socket)
my_user=$(setting "${SCHEMON_TEST_MYSQL:-}" user)
psql_admin() { psql -q -X "host=$pg_host port=$pg_port user=$pg_user dbname=postgres" "$@"; }
mysql_admin() { mysql --socket="$my_socket" -u "$my_user" "$@"; }

conf_sqlite() { printf 'DBDriver = sqlite\nDBName = %s\n' "$1" >"$work/$2.conf"; }
conf_pgsql() {
  psql_admin -c "DROP DATABASE IF EXISTS $1" -c "CREATE DATABASE $1"
  printf 'DBDriver = pgsql\nDBServer = %s\nDBName = %s\nDBLogin = %s\nDBDrvParams = port=%s\n' \
    "$pg_host" "$1" "$pg_user" "$pg_port" >"$work/$1.conf"
}
conf_mysql() {
  mysql_admin -e "DROP DATABASE IF EXISTS $1; CREATE DATABASE $1"
  printf 'DBDriver = mysql\nDBServer = %s\nDBName = %s\nDBLogin = %s\n' \
    "$my_socket" "$1" "$my_user" >"$work/$1.conf"
}
init() { "$schemon" -c "$work/$1.conf" init "$root/lib/sql/dbinit_$2.sql" >/dev/null; }

# ---- the data: an initialised SQLite database filled by SQL ---------------
echo "generating $nodes nodes, $rows collected rows in $work" >&2
src="$work/source.db"
sqlite3 "$src" 'SELECT 1' >/dev/null
conf_sqlite "$src" source
init source sqlite
# Fills table $1 with $2 rows: the first key column counts up, integers
# follow the counter, short texts name it, long texts are 1.5 KB.
fill() {
  local exprs
  exprs=$(sqlite3 "$src" "SELECT group_concat(CASE
      WHEN pk=1 THEN 'i'
      WHEN type LIKE '%int%' OR type LIKE 'number%' THEN 'i%1000'
      WHEN type LIKE 'varchar(%' AND CAST(substr(type,9) AS integer)<=255
        THEN 'substr(''$1 value '' || i,1,' || CAST(substr(type,9) AS integer) || ')'
      ELSE 'printf(''%.1500c'',''x'') || i' END, ',')
    FROM pragma_table_info('$1')")
  sqlite3 "$src" "DELETE FROM $1; INSERT INTO $1 WITH RECURSIVE n(i) AS
    (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<$2) SELECT $exprs FROM n"
}
fill nodes "$nodes"
fill event_log 200000
fill alarms 20000
fill items 20000
fill script_library 200
per_node=$(( rows / nodes ))
{
  echo "BEGIN;"
  for i in $(seq 1 "$nodes"); do
    echo "CREATE TABLE idata_$i (item_id integer not null,idata_timestamp integer not null,idata_value varchar(255));"
    echo "INSERT INTO idata_$i WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k+1 FROM n WHERE k<$per_node) SELECT k%50, 1700000000+k, 'v' || (k*7 % 100000) FROM n;"
  done
  echo "COMMIT;"
} | sqlite3 "$src"
total=$(sqlite3 "$src" "SELECT (SELECT count(*) FROM event_log)+(SELECT count(*) FROM alarms)+(SELECT count(*) FROM items)") 
total=$(( total + per_node * nodes ))
echo "rows to copy: about $total (plus the reference rows)" >&2

# ---- runs -----------------------------------------------------------------
declare -A secs mem cpu
# measure NAME CMD...: runs CMD under /usr/bin/time -v, output discarded.
measure() {
  local name=$1; shift
  /usr/bin/time -v -o "$work/time.$name" "$@" >"$work/out.$name" 2>&1 || {
    echo "$name failed:" >&2; tail -5 "$work/out.$name" >&2; }
  local wall
  wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time.$name")
  secs[$name]=$(awk -F: '{ if (NF==3) print $1*3600+$2*60+$3; else print $1*60+$2 }' <<<"$wall")
  mem[$name]=$(( $(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time.$name") / 1024 ))
  cpu[$name]=$(awk '/User time|System time/ { s += $NF } END { print s }' "$work/time.$name")
  echo "  $name: ${secs[$name]} s, ${cpu[$name]} s of CPU, ${mem[$name]} MiB" >&2
}

measure export_sqlite "$schemon" -c "$work/source.conf" export "$work/file.db"
measure dump_sqlite bash -c "sqlite3 '$src' .dump | sqlite3 '$work/dump.db'"

if [ "$servers" != no ]; then
conf_pgsql bench_import
init bench_import pgsql
measure import_pgsql "$schemon" -f -c "$work/bench_import.conf" import "$work/file.db"
psql_admin -c "DROP DATABASE IF EXISTS bench_pgloader" -c "CREATE DATABASE bench_pgloader"
# The export file's 64-bit columns are declared number(20), which pgloader
# does not know by itself; with its default prefetch its heap overflows on
# a few million rows.
cat >"$work/load.pgl" <<LOAD
LOAD DATABASE
  FROM sqlite://$work/file.db
  INTO postgresql://$pg_user@unix:$pg_host:$pg_port/bench_pgloader
  WITH include drop, create tables, create indexes, reset sequences,
       prefetch rows = 10000
  CAST type number to bigint drop typemod;
LOAD
measure pgloader_pgsql pgloader --quiet "$work/load.pgl"
loaded=$(psql -X -tA "host=$pg_host port=$pg_port user=$pg_user dbname=bench_pgloader" \
  -c "SELECT count(*) FROM event_log" 2>/dev/null || echo 0)
[ "$loaded" = 200000 ] || echo "pgloader did not load the event log ($loaded rows)" >&2
measure export_pgsql "$schemon" -c "$work/bench_import.conf" export "$work/from_pg.db"

# The same import into PostgreSQL through psqlODBC (the ODBC registration
# of with_servers.sh).
psql_admin -c "DROP DATABASE IF EXISTS bench_odbc" -c "CREATE DATABASE bench_odbc"
printf 'DBDriver = odbc\nDBDrvParams = DSN=schemon_pgsql_dsn;Database=bench_odbc;UID=%s\n' \
  "$pg_user" >"$work/bench_odbc.conf"
init bench_odbc pgsql
measure import_odbc_pgsql "$schemon" -f -c "$work/bench_odbc.conf" import "$work/file.db"

conf_mysql bench_import
init bench_import mysql
measure import_mysql "$schemon" -f -c "$work/bench_import.conf" import "$work/file.db"
measure export_mysql "$schemon" -c "$work/bench_import.conf" export "$work/from_my.db"
fi

sqlite3 "$work/target.db" 'SELECT 1' >/dev/null
conf_sqlite "$work/target.db" target
init target sqlite
measure import_sqlite "$schemon" -f -c "$work/target.conf" import "$work/file.db"

# ---- report ---------------------------------------------------------------
rate() { awk -v r="$total" -v s="$1" 'BEGIN { printf "%.0f", (s > 0 ? r / s : 0) }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (a > 0 ? b / a : 0) }'; }
echo
echo "transfer benchmark: $nodes nodes, $total rows, $(nproc) cores"
printf '%-18s %10s %12s %10s %10s %s\n' run seconds rows/s "CPU s" "peak MiB" "vs peer (rows/s)"
runs="export_sqlite dump_sqlite import_pgsql pgloader_pgsql export_pgsql import_odbc_pgsql import_mysql export_mysql import_sqlite"
[ "$servers" = no ] && runs="export_sqlite dump_sqlite import_sqlite"
for run in $runs; do
  peer=""
  case $run in
    export_sqlite) peer="$(ratio "${secs[$run]}" "${secs[dump_sqlite]}")x sqlite3 .dump" ;;
    import_pgsql) peer="$(ratio "${secs[$run]}" "${secs[pgloader_pgsql]}")x pgloader" ;;
  esac
  printf '%-18s %10s %12s %10s %10s %s\n' "$run" "${secs[$run]}" "$(rate "${secs[$run]}")" \
    "${cpu[$run]}" "${mem[$run]}" "$peer"
done
