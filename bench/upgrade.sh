#!/usr/bin/env bash
# The 86 to 98 upgrade of a large database on SQLite, PostgreSQL and MariaDB:
# time per step, rows converted per second and peak memory of schemon, and
# the time of set-based SQL that converts the same rows (the floor).
#   bench/upgrade.sh [EVENTS [LOG_ROWS]]   defaults 2000000 and 500000
# Half of the rows of event_log, syslog and snmp_trap_log hold "#" escapes.
# BUILD names the build directory (default build); servers are started with
# tests/servers/with_servers.sh unless SCHEMON_TEST_PGSQL is set already.
set -euo pipefail
cd "$(dirname "$0")/.."
EVENTS=${1:-2000000}
LOGS=${2:-500000}
BUILD=${BUILD:-build}

BENCH_NAME=schemon_bench_upgrade
. bench/servers.sh
DB=schemon_bench_upgrade
export PGOPTIONS="-c client_min_messages=warning"

# run_sql DIALECT SQL: runs statements with the database's own client.
run_sql() {
  case $1 in
    sqlite) sqlite3 "$WORK/bench.db" "$2" >/dev/null ;;
    pgsql) psql -q -v ON_ERROR_STOP=1 "$SCHEMON_TEST_PGSQL dbname=$DB" -c "$2" >/dev/null ;;
    mysql) mysql --socket="$MYSQL_SOCKET" -u"$MYSQL_USER" "$DB" -e "$2" ;;
  esac
}

make_database() {
  case $1 in
    sqlite)
      rm -f "$WORK/bench.db"
      printf 'DBDriver = sqlite\nDBName = %s\n' "$WORK/bench.db" >"$WORK/server.conf"
      sqlite3 "$WORK/bench.db" "PRAGMA journal_mode=DELETE" >/dev/null ;;
    pgsql)
      psql -q "$SCHEMON_TEST_PGSQL dbname=postgres" -c "DROP DATABASE IF EXISTS $DB" -c "CREATE DATABASE $DB" >/dev/null
      printf 'DBDriver = pgsql\nDBServer = %s\nDBName = %s\nDBLogin = %s\nDBDrvParams = "port=%s"\n' \
        "$PG_HOST" "$DB" "$PG_USER" "$PG_PORT" >"$WORK/server.conf" ;;
    mysql)
      mysql --socket="$MYSQL_SOCKET" -u"$MYSQL_USER" -e "DROP DATABASE IF EXISTS $DB; CREATE DATABASE $DB"
      printf 'DBDriver = mysql\nDBName = %s\nDBLogin = %s\nDBDrvParams = "socket=%s"\n' \
        "$DB" "$MYSQL_USER" "$MYSQL_SOCKET" >"$WORK/server.conf" ;;
  esac
}

# fill DIALECT: the three log tables, half of each row set escaped.
fill() {
  local d=$1 from cat_a cat_b
  case $d in
    sqlite) from="(WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM n WHERE x<%d) SELECT x FROM n) s" ;;
    pgsql) from="generate_series(1,%d) s(x)" ;;
    mysql) from="(SELECT seq AS x FROM seq_1_to_%d) s" ;;
  esac
  # text expressions: escaped for even x, plain for odd x
  if [ "$d" = mysql ]; then
    cat_a="CONCAT('Node #2210.0.0.',x%%250,'#22 is down: it#27s 100#25 lost')"
    cat_b="CONCAT('Node 10.0.0.',x%%250,' is up again')"
  else
    cat_a="'Node #2210.0.0.'||(x%%250)||'#22 is down: it#27s 100#25 lost'"
    cat_b="'Node 10.0.0.'||(x%%250)||' is up again'"
  fi
  local text="CASE WHEN x%%2=0 THEN $cat_a ELSE $cat_b END"
  run_sql "$d" "DELETE FROM event_log; DELETE FROM syslog; DELETE FROM snmp_trap_log"
  run_sql "$d" "$(printf "INSERT INTO event_log (event_id,event_code,event_timestamp,event_source,event_severity,event_message,root_event_id,user_tag) SELECT 5000000000+x,1,x,10,0,$text,0,'#00' FROM $from" "$EVENTS")"
  run_sql "$d" "$(printf "INSERT INTO syslog (msg_id,msg_timestamp,facility,severity,source_object_id,hostname,msg_tag,msg_text) SELECT x,x,1,6,10,'host1','kernel',$text FROM $from" "$LOGS")"
  run_sql "$d" "$(printf "INSERT INTO snmp_trap_log (trap_id,trap_timestamp,ip_addr,object_id,trap_oid,trap_varlist) SELECT x,x,'10.0.0.1',10,'.1.3.6.1.6.3.1.1.5.3',$text FROM $from" "$LOGS")"
}

# The set-based conversion of the same rows, timed and rolled back.
floor_sql() {
  local decode
  for column in "event_log event_message" "event_log user_tag" "syslog msg_text" "snmp_trap_log trap_varlist"; do
    set -- $column
    decode="REPLACE(REPLACE(REPLACE(REPLACE($2,'#22','\"'),'#27',''''),'#25','%'),'#23','#')"
    printf "UPDATE %s SET %s='' WHERE %s='#00'; UPDATE %s SET %s=%s WHERE %s LIKE '%%#%%'; " \
      "$1" "$2" "$2" "$1" "$2" "$decode" "$2"
  done
}

now() { date +%s.%N; }

bench_one() {
  local d=$1
  echo "== $d: event_log $EVENTS rows, syslog and snmp_trap_log $LOGS rows each"
  make_database "$d"
  "$SCHEMON" -c "$WORK/server.conf" batch tests/upgrade/baseline63/baseline63_$d.sql >/dev/null
  # Up to version 86: a metadata table that step 86 to 87 cannot use stops
  # the run there (the step is rolled back).
  run_sql "$d" "CREATE TABLE metadata (unusable integer)"
  "$SCHEMON" -c "$WORK/server.conf" upgrade >/dev/null
  run_sql "$d" "DROP TABLE metadata"
  local start end
  start=$(now); fill "$d"; end=$(now)
  printf '  fill: %.1f s\n' "$(echo "$end - $start" | bc)"
  start=$(now)
  case $d in
    sqlite|pgsql) run_sql "$d" "BEGIN; $(floor_sql) ROLLBACK;" ;;
    mysql) run_sql "$d" "START TRANSACTION; $(floor_sql) ROLLBACK;" ;;
  esac
  end=$(now)
  local floor
  floor=$(echo "$end - $start" | bc)
  /usr/bin/time -f '%M' -o "$WORK/rss" "$SCHEMON" -c "$WORK/server.conf" upgrade |
    while IFS= read -r line; do printf '%s %s\n' "$(now)" "$line"; done >"$WORK/run.log"
  grep -q 'Database upgrade succeeded' "$WORK/run.log" || { cat "$WORK/run.log"; exit 1; }
  local converted=$(( EVENTS / 2 + LOGS / 2 + LOGS / 2 ))
  awk -v converted="$converted" -v floor="$floor" -v rss="$(cat "$WORK/rss")" '
    / Upgrading from version / { if (step != "") printf "  %-8s %8.2f s\n", step, $1 - begin;
                                 step = $5 "->" $7; begin = $1; next }
    / Database upgrade / { printf "  %-8s %8.2f s\n", step, $1 - begin; last = $1 - begin }
    END { printf "  97->98 rows converted per second: %.0f (%d rows)\n", converted / last, converted;
          printf "  set-based SQL on the same rows (floor): %.2f s\n", floor;
          printf "  peak memory of schemon: %.1f MiB\n", rss / 1024 }' "$WORK/run.log"
}

for d in ${DIALECTS:-sqlite pgsql mysql}; do bench_one "$d"; done
