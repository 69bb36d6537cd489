#!/usr/bin/env bash
# Builds schemon and runs it on an embedded SQLite database: creates the
# database with "init", loads the demo network with "batch", clears a stale
# server lock with "unlock" and rebuilds the indexes with "reindex".
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

run init "$root/lib/sql/dbinit_sqlite.sql"
run batch "$root/lib/sql/demo_sqlite.sql"
# A server that crashed leaves its lock mark behind.
printf "UPDATE config SET var_value='orvane-srv1' WHERE var_name='DBLockStatus';\nUPDATE config SET var_value='pid#2012345' WHERE var_name='DBLockInfo'\n" > "$dir/lock.sql"
run batch "$dir/lock.sql"
run reindex
run -f unlock
run -t reindex
echo "The demo database is $dir/orvane.db; its configuration $conf."
