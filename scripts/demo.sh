#!/usr/bin/env bash
# Builds schemon and runs what an administrator does, on embedded SQLite
# databases: creates a database with "init", loads the demo network with
# "batch", checks it (report only, then with repairs, then again), clears a
# stale server lock with "unlock", rebuilds the indexes with "reindex",
# exports it into a file and imports that into a second database, and
# upgrades an old version-14 database to the current version and checks it.
# Usage: scripts/demo.sh [DIR]   (DIR defaults to build/demo; it is emptied)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target schemon

dir=${1:-build/demo}
rm -rf "$dir"
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
conf="$dir/orvaned.conf"
cat > "$conf" <<CONF
# Server configuration: the tool reads the database keys from it.
DBDriver = sqlite
DBName = $dir/orvane.db
LogFile = $dir/orvaned.log
CONF

run() {
  echo "\$ schemon $*"
  "$root/build/schemon" -c "$conf" "$@"
  echo
}

# Runs schemon with its input closed, as a report that changes nothing.
report() {
  echo "\$ schemon $* < /dev/null"
  "$root/build/schemon" -c "$conf" "$@" < /dev/null | tee "$dir/last.out"
  echo
}

# Stops the demo when the last report lacks the given line.
expect() {
  grep -qxF "$1" "$dir/last.out" || { echo "demo: expected \"$1\"" >&2; exit 1; }
}

run init "$root/lib/sql/dbinit_sqlite.sql"
run batch "$root/lib/sql/demo_sqlite.sql"
# The demo network has planted faults. With its input closed, check answers
# no to every question: a report that changes nothing.
report check
expect "15 errors was found, 0 errors was corrected"
run -f check
report check
expect "Database doesn't contain any errors"
# A server that crashed leaves its lock mark behind.
printf "UPDATE config SET var_value='orvane-srv1' WHERE var_name='DBLockStatus';\nUPDATE config SET var_value='pid#2012345' WHERE var_name='DBLockInfo'\n" > "$dir/lock.sql"
run batch "$dir/lock.sql"
run reindex
run -f unlock
run -t reindex

# A copy of the whole database in an SQLite file, loaded into a second
# database (the clearing question is answered by -f).
run export "$dir/orvane_export.db"
copy_conf="$dir/copy.conf"
printf 'DBDriver = sqlite\nDBName = %s\n' "$dir/copy.db" > "$copy_conf"
echo "\$ schemon -c copy.conf init ... ; schemon -c copy.conf -f import $dir/orvane_export.db"
"$root/build/schemon" -c "$copy_conf" init "$root/lib/sql/dbinit_sqlite.sql" >/dev/null
"$root/build/schemon" -c "$copy_conf" -f import "$dir/orvane_export.db"
echo

# An old database of schema version 14, upgraded in one run (-f answers the
# two questions about indexing the collected-data tables) and checked.
old_conf="$dir/old.conf"
printf 'DBDriver = sqlite\nDBName = %s\n' "$dir/old.db" > "$old_conf"
: > "$dir/old.db"
echo "\$ schemon -c old.conf batch tests/upgrade/baseline14/baseline14_sqlite.sql"
"$root/build/schemon" -c "$old_conf" batch \
  "$root/tests/upgrade/baseline14/baseline14_sqlite.sql" >/dev/null
conf=$old_conf
run -f upgrade
report check
expect "Database doesn't contain any errors"
echo "The demo database is $dir/orvane.db; its configuration $dir/orvaned.conf."
echo "Its copy is $dir/copy.db, the upgraded one $dir/old.db."
