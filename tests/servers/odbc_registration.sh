#!/bin/bash
# Writes an ODBC driver registration into a directory of its own, so that
# tests reach PostgreSQL and SQLite through ODBC without touching the
# system's files. Installs the Debian ODBC drivers when they are missing.
#   odbc_registration.sh DIR PGSQL_SOCKET_DIR PGSQL_PORT
# Registers the drivers "schemon_pgsql" (psqlODBC, Unicode) and
# "schemon_sqlite" (SQLite 3), and the data source "schemon_pgsql_dsn" on the
# PostgreSQL server's database "postgres". Point ODBCSYSINI at DIR and
# ODBCINSTINI at odbcinst.ini.
set -u
. "$(dirname "$0")/common.sh"

[ $# -eq 3 ] || die "usage: $0 DIR PGSQL_SOCKET_DIR PGSQL_PORT"
dir=$1 pg_dir=$2 pg_port=$3

find_driver() {
  find /usr/lib /usr/local/lib -name "$1" -print -quit 2>/dev/null
}

pg_driver=$(find_driver psqlodbcw.so)
[ -n "$pg_driver" ] || { install_packages odbc-postgresql;
  pg_driver=$(find_driver psqlodbcw.so); }
sqlite_driver=$(find_driver libsqlite3odbc.so)
[ -n "$sqlite_driver" ] || { install_packages libsqliteodbc;
  sqlite_driver=$(find_driver libsqlite3odbc.so); }
[ -n "$pg_driver" ] && [ -n "$sqlite_driver" ] ||
  die "ODBC drivers not found after installing them"

mkdir -p "$dir" || die "cannot make $dir"
cat >"$dir/odbcinst.ini" <<INI || die "cannot write $dir/odbcinst.ini"
[schemon_pgsql]
Description=PostgreSQL through psqlODBC, for the tests
Driver=$pg_driver

[schemon_sqlite]
Description=SQLite 3, for the tests
Driver=$sqlite_driver
INI
cat >"$dir/odbc.ini" <<INI || die "cannot write $dir/odbc.ini"
[schemon_pgsql_dsn]
Driver=schemon_pgsql
Servername=$pg_dir
Port=$pg_port
Database=postgres
INI
