#!/bin/bash
# Starts or stops a throwaway PostgreSQL server in a directory of its own,
# reachable only through a unix socket in that directory.
#   pgsql_server.sh start DIR PORT   prints the libpq settings that reach it
#   pgsql_server.sh stop DIR
# The server runs as user postgres with trust authentication, except for the
# login schemon_pw, which needs the password given in $SCHEMON_TEST_PASSWORD.
set -u
. "$(dirname "$0")/common.sh"

pg_bin() {
  local dir
  dir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
  [ -n "$dir" ] && [ -x "$dir/initdb" ] && echo "$dir"
}

as_postgres() { runuser -u postgres -- "$@"; }

start() {
  local dir=$1 port=$2
  local bin
  bin=$(pg_bin) || { install_packages postgresql; bin=$(pg_bin); } ||
    die "PostgreSQL binaries not found after installing postgresql"
  id postgres >/dev/null 2>&1 || die "user postgres is missing"
  mkdir -p "$dir" && chown postgres: "$dir" && chmod 755 "$dir" ||
    die "cannot prepare $dir"
  if ! as_postgres "$bin/initdb" -D "$dir/data" -U postgres -A trust \
      -E UTF8 --no-locale >"$dir/initdb.log" 2>&1; then
    cat "$dir/initdb.log" >&2
    die "initdb failed"
  fi
  # The password login must not fall under the trust rule below it.
  { echo "local all schemon_pw scram-sha-256"; cat "$dir/data/pg_hba.conf"; } \
    >"$dir/pg_hba.new" && mv "$dir/pg_hba.new" "$dir/data/pg_hba.conf" &&
    chown postgres: "$dir/data/pg_hba.conf"
  if ! as_postgres "$bin/pg_ctl" -D "$dir/data" -l "$dir/log" -w -t 60 \
      -o "-k $dir -p $port -c listen_addresses='' -c fsync=off" start \
      >"$dir/pg_ctl.log" 2>&1; then
    cat "$dir/pg_ctl.log" "$dir/log" >&2
    die "PostgreSQL did not start"
  fi
  if ! as_postgres "$bin/psql" -X -q -h "$dir" -p "$port" -U postgres \
      -d postgres -v ON_ERROR_STOP=1 \
      -c "CREATE ROLE schemon_pw LOGIN PASSWORD '${SCHEMON_TEST_PASSWORD}'" \
      >"$dir/psql.log" 2>&1; then
    cat "$dir/psql.log" >&2
    die "cannot create the password login"
  fi
  echo "host=$dir port=$port user=postgres"
}

stop() {
  local dir=$1
  [ -f "$dir/data/postmaster.pid" ] || return 0
  local bin pid
  bin=$(pg_bin)
  if [ -n "$bin" ] && as_postgres "$bin/pg_ctl" -D "$dir/data" -m fast -w \
      -t 30 stop >/dev/null 2>&1; then
    return 0
  fi
  pid=$(head -n 1 "$dir/data/postmaster.pid" 2>/dev/null)
  if [ -n "$pid" ]; then
    say "PostgreSQL did not stop in time; killing postmaster $pid"
    kill -9 "$pid" 2>/dev/null
  fi
}

case "${1:-}" in
  start) [ $# -eq 3 ] || die "usage: $0 start DIR PORT"; start "$2" "$3" ;;
  stop) [ $# -eq 2 ] || die "usage: $0 stop DIR"; stop "$2" ;;
  *) die "usage: $0 start DIR PORT | stop DIR" ;;
esac
