#!/bin/bash
# Runs a command with throwaway PostgreSQL and MariaDB servers and an ODBC
# registration, all in one temporary directory that is removed afterwards,
# also when the command fails or is interrupted.
#   tests/servers/with_servers.sh CMD [ARGS...]
# Exports for CMD: SCHEMON_TEST_PGSQL, SCHEMON_TEST_MYSQL, SCHEMON_TEST_ODBC,
# ODBCSYSINI, ODBCINSTINI, ODBCINI, SCHEMON_TEST_PASSWORD_USER and
# SCHEMON_TEST_PASSWORD. Returns CMD's exit code, or 1 when a server does not
# start. SCHEMON_TEST_PGSQL_PORT overrides the PostgreSQL port (54347).
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"

[ $# -ge 1 ] || die "usage: $0 CMD [ARGS...]"
[ "$(id -u)" -eq 0 ] || die "must run as root (servers run as postgres/root)"

root=$(mktemp -d /tmp/schemon_servers.XXXXXX) || die "mktemp failed"
chmod 755 "$root"
pg_port=${SCHEMON_TEST_PGSQL_PORT:-54347}

cleanup() {
  trap - EXIT INT TERM
  "$here/pgsql_server.sh" stop "$root/pgsql"
  "$here/mysql_server.sh" stop "$root/mysql"
  rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Known only to this run; the tests check that it never shows in output.
export SCHEMON_TEST_PASSWORD_USER=schemon_pw
export SCHEMON_TEST_PASSWORD="pw-$(head -c 8 /dev/urandom | od -An -tx1 | tr -d ' \n')"

pgsql=$("$here/pgsql_server.sh" start "$root/pgsql" "$pg_port") || exit 1
mysql=$("$here/mysql_server.sh" start "$root/mysql") || exit 1
"$here/odbc_registration.sh" "$root/odbc" "$root/pgsql" "$pg_port" || exit 1

export SCHEMON_TEST_PGSQL=$pgsql
export SCHEMON_TEST_MYSQL=$mysql
export SCHEMON_TEST_ODBC=1
export ODBCSYSINI=$root/odbc ODBCINSTINI=odbcinst.ini ODBCINI=$root/odbc/odbc.ini
say "PostgreSQL: $SCHEMON_TEST_PGSQL"
say "MariaDB: $SCHEMON_TEST_MYSQL"
say "ODBC registration: $ODBCSYSINI"

"$@"
rc=$?
exit $rc
