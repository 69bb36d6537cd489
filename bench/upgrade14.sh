#!/usr/bin/env bash
# The 14 to 98 upgrade of a database of real size on SQLite, PostgreSQL and
# MariaDB: time of every step, peak memory of schemon, and the time of
# set-based SQL doing the heaviest steps' work (the floor) with the ratio.
#   bench/upgrade14.sh [NODES [ROWS]]   defaults 1000 and 5000000
# The version-14 baseline is grown by bench/upgrade14_gen.py (nodes,
# interfaces, subnets, items, thresholds, access options, event policy,
# users and groups, ROWS collected-data rows in the per-node tables) and
# loaded with the database's own client in one script. The upgrade runs
# with -f, so the per-node index questions are answered yes.
# BUILD names the build directory (default build); BENCH_DB the server
# database (default schemon_bench_upgrade14, dropped and made again);
# DIALECTS picks the databases (default "sqlite pgsql mysql"); servers are
# started with tests/servers/with_servers.sh unless SCHEMON_TEST_PGSQL is
# set already. Per heavy step the floor is timed: 20->21 the node-flag fold
# and the item_id indexes, 24->25 the timestamp indexes, 26->27 the object
# properties move with the column drops, 52->53 the per-node index rebuilt.
set -euo pipefail
cd "$(dirname "$0")/.."
NODES=${1:-1000}
ROWS=${2:-5000000}
BUILD=${BUILD:-build}

BENCH_NAME=schemon_bench_upgrade14
. bench/servers.sh
DB=${BENCH_DB:-schemon_bench_upgrade14}
export PGOPTIONS="-c client_min_messages=warning"

# run_script DIALECT FILE: runs a script with the database's own client.
run_script() {
  case $1 in
    sqlite) sqlite3 -bail "$WORK/bench.db" <"$2" >/dev/null ;;
    pgsql) psql -q -v ON_ERROR_STOP=1 "$SCHEMON_TEST_PGSQL dbname=$DB" -f "$2" >/dev/null ;;
    mysql) mysql --socket="$MYSQL_SOCKET" -u"$MYSQL_USER" "$DB" <"$2" >/dev/null ;;
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

# The live nodes (those whose tables the index questions index); with a
# second argument "all", every node.
live_nodes() {
  local q="SELECT id FROM nodes WHERE is_deleted=0 ORDER BY id"
  [ "${2:-}" = all ] && q="SELECT id FROM nodes ORDER BY id"
  case $1 in
    sqlite) sqlite3 "$WORK/bench.db" "$q" ;;
    pgsql) psql -qAt "$SCHEMON_TEST_PGSQL dbname=$DB" -c "$q" ;;
    mysql) mysql --socket="$MYSQL_SOCKET" -u"$MYSQL_USER" -N "$DB" -e "$q" ;;
  esac
}

# drop_columns DIALECT TABLE COLUMN...: the column drops in the fastest form
# of the dialect (one statement where it takes several columns).
drop_columns() {
  local d=$1 table=$2 column list=""
  shift 2
  if [ "$d" = sqlite ]; then
    for column in "$@"; do echo "ALTER TABLE $table DROP COLUMN $column;"; done
  else
    for column in "$@"; do list="$list${list:+,}DROP COLUMN $column"; done
    echo "ALTER TABLE $table $list;"
  fi
}

# floor_scripts DIALECT: writes, per heavy step, the set-based SQL doing its
# work (floor_<step>.sql), timed; what it works on is made untimed before
# (prep_<step>.sql) and removed after (undo_<step>.sql). The column changes
# are made on copies of the tables, so that MariaDB, whose DDL is not
# transactional, leaves the database as it was; SQLite and PostgreSQL run
# the timed part in a transaction that is rolled back.
floor_scripts() {
  local d=$1 begin="BEGIN;" end="ROLLBACK;" id ids table
  [ "$d" = mysql ] && begin="" end=""
  ids=$(live_nodes "$d")
  echo "CREATE TABLE bench_nodes AS SELECT * FROM nodes;" >"$WORK/prep_20.sql"
  {
    echo "$begin"
    echo "ALTER TABLE bench_nodes ADD node_flags integer;"
    echo "UPDATE bench_nodes SET node_flags=(CASE WHEN is_snmp<>0 THEN 1 ELSE 0 END)+(CASE WHEN is_agent<>0 THEN 2 ELSE 0 END)+(CASE WHEN is_bridge<>0 THEN 4 ELSE 0 END)+(CASE WHEN is_router<>0 THEN 8 ELSE 0 END)+(CASE WHEN is_local_mgmt<>0 THEN 16 ELSE 0 END);"
    drop_columns "$d" bench_nodes is_snmp is_agent is_bridge is_router is_local_mgmt
    for id in $ids; do echo "CREATE INDEX idx_idata_${id}_item_id ON idata_${id}(item_id);"; done
    echo "$end"
  } >"$WORK/floor_20.sql"
  {
    echo "DROP TABLE bench_nodes;"
    if [ "$d" = mysql ]; then
      for id in $ids; do echo "DROP INDEX idx_idata_${id}_item_id ON idata_${id};"; done
    fi
  } >"$WORK/undo_20.sql"

  echo "SELECT 1;" >"$WORK/prep_24.sql"
  {
    echo "$begin"
    for id in $ids; do echo "CREATE INDEX idx_idata_${id}_timestamp ON idata_${id}(idata_timestamp);"; done
    echo "$end"
  } >"$WORK/floor_24.sql"
  {
    echo "SELECT 1;"
    if [ "$d" = mysql ]; then
      for id in $ids; do echo "DROP INDEX idx_idata_${id}_timestamp ON idata_${id};"; done
    fi
  } >"$WORK/undo_24.sql"

  local tables="nodes interfaces subnets templates containers"
  for table in $tables; do echo "CREATE TABLE bench_$table AS SELECT * FROM $table;"; done >"$WORK/prep_26.sql"
  {
    echo "$begin"
    echo "CREATE TABLE bench_object_properties (object_id integer not null,name varchar(63) not null,status integer not null,is_deleted integer not null,image_id integer,last_modified integer not null,inherit_access_rights integer not null,PRIMARY KEY(object_id));"
    local status
    for table in $tables; do
      status="COALESCE(t.status,0)"
      [ "$table" = templates ] && status=5
      echo "INSERT INTO bench_object_properties (object_id,name,status,is_deleted,image_id,inherit_access_rights,last_modified) SELECT t.id,COALESCE(t.name,''),$status,CASE WHEN t.is_deleted<>0 THEN 1 ELSE 0 END,COALESCE(t.image_id,0),CASE WHEN a.object_id IS NULL OR a.inherit_rights<>0 THEN 1 ELSE 0 END,1 FROM bench_$table t LEFT JOIN access_options a ON a.object_id=t.id;"
      if [ "$table" = templates ]; then
        drop_columns "$d" bench_$table name is_deleted image_id
      else
        drop_columns "$d" bench_$table name status is_deleted image_id
      fi
    done
    echo "$end"
  } >"$WORK/floor_26.sql"
  {
    for table in $tables object_properties; do echo "DROP TABLE IF EXISTS bench_$table;"; done
  } >"$WORK/undo_26.sql"
}

# floor52_script DIALECT: the work of step 52 to 53, one index dropped and
# one made on every per-node data table, timed on the upgraded database:
# the new index is dropped and made again (a little more work than the
# step's drop of the one-column timestamp index). SQLite and PostgreSQL
# roll it back; on MariaDB it leaves the database as it was.
floor52_script() {
  local d=$1 begin="BEGIN;" end="ROLLBACK;" id name columns drop
  case $d in
    mysql) begin="" end="" name=id_timestamp columns="item_id,idata_timestamp" ;;
    *) name=timestamp_id columns="idata_timestamp,item_id" ;;
  esac
  echo "$begin"
  for id in $(live_nodes "$d" all); do
    drop="DROP INDEX idx_idata_${id}_$name"
    [ "$d" = mysql ] && drop="$drop ON idata_$id"
    echo "$drop;"
    echo "CREATE INDEX idx_idata_${id}_$name ON idata_$id($columns);"
  done
  echo "$end"
}

# The clock without a fork, so that timestamping every output line of the
# upgrade does not slow the reader down behind the tool.
now() { echo "$EPOCHREALTIME"; }

bench_one() {
  local d=$1 start end
  echo "== $d: $NODES nodes, $ROWS collected-data rows"
  make_database "$d"
  "$SCHEMON" -c "$WORK/server.conf" batch tests/upgrade/baseline14/baseline14_$d.sql >/dev/null
  python3 bench/upgrade14_gen.py "$d" "$NODES" "$ROWS" >"$WORK/fill.sql"
  start=$(now); run_script "$d" "$WORK/fill.sql"; end=$(now)
  printf '  load: %.1f s\n' "$(echo "$end - $start" | bc)"
  [ "$d" = pgsql ] && psql -q "$SCHEMON_TEST_PGSQL dbname=$DB" -c "VACUUM ANALYZE" >/dev/null

  floor_scripts "$d"
  local step floors=""
  for step in 20 24 26; do
    run_script "$d" "$WORK/prep_$step.sql"
    start=$(now); run_script "$d" "$WORK/floor_$step.sql"; end=$(now)
    floors="$floors $step=$(echo "$end - $start" | bc)"
    run_script "$d" "$WORK/undo_$step.sql"
  done

  /usr/bin/time -v -o "$WORK/time" "$SCHEMON" -c "$WORK/server.conf" -f upgrade 2>&1 |
    while IFS= read -r line; do printf '%s %s\n' "$EPOCHREALTIME" "$line"; done >"$WORK/run.log"
  if ! grep -q 'Database upgrade succeeded' "$WORK/run.log"; then
    grep -v 'Creating indexes for table' "$WORK/run.log" | tail -20
    exit 1
  fi
  floor52_script "$d" >"$WORK/floor_52.sql"
  start=$(now); run_script "$d" "$WORK/floor_52.sql"; end=$(now)
  floors="$floors 52=$(echo "$end - $start" | bc)"
  local rss
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$WORK/time")
  awk -v floors="$floors" -v rss="$rss" -v wall="$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$WORK/time")" '
    BEGIN { n = split(floors, f, " ");
            for (i = 1; i <= n; i++) { split(f[i], kv, "="); floor[kv[1]] = kv[2] } }
    function close_step(t) {
      if (step == "") return
      took = t - begin
      if (from in floor) {
        printf "  %-8s %8.2f s   floor %7.2f s   ratio %5.2f\n", step, took, floor[from], took / floor[from]
        if (took / floor[from] > worst) { worst = took / floor[from]; worst_step = step }
      } else printf "  %-8s %8.2f s\n", step, took
      if (took > slowest) { slowest = took; slowest_step = step }
      steps++
    }
    / Upgrading from version / { close_step($1); from = $5; step = $5 "->" $7; begin = $1; next }
    / Database upgrade succeeded/ { close_step($1); step = "" }
    END {
      printf "  steps: %d, slowest %s %.2f s, wall clock %s\n", steps, slowest_step, slowest, wall
      printf "  floors: 20->21 node-flag fold and item_id indexes, 24->25 timestamp indexes, 26->27 object properties move, 52->53 per-node index rebuilt\n"
      printf "  worst ratio to the floor: %.2f (%s), goal at most 3\n", worst, worst_step
      printf "  peak memory of schemon: %.1f MiB, goal under 64 MiB\n", rss / 1024 }' "$WORK/run.log"
}

for d in ${DIALECTS:-sqlite pgsql mysql}; do bench_one "$d"; done
