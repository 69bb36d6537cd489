#!/bin/bash
# Starts or stops a throwaway MariaDB server with its own data directory,
# reachable only through the socket DIR/sock.
#   mysql_server.sh start DIR   prints the settings that reach it
#   mysql_server.sh stop DIR
# root logs in without a password; the login schemon_pw needs the password
# given in $SCHEMON_TEST_PASSWORD.
set -u
. "$(dirname "$0")/common.sh"

admin() { mariadb-admin --no-defaults --socket="$1/sock" -uroot "${@:2}"; }

start() {
  local dir=$1
  if ! command -v mariadbd >/dev/null || ! command -v mariadb-install-db \
      >/dev/null; then
    install_packages mariadb-server
  fi
  command -v mariadbd >/dev/null || PATH=$PATH:/usr/sbin
  command -v mariadbd >/dev/null || die "mariadbd not found"
  mkdir -p "$dir" || die "cannot make $dir"
  if ! mariadb-install-db --no-defaults --user=root --datadir="$dir/data" \
      --auth-root-authentication-method=normal --skip-test-db \
      >"$dir/install.log" 2>&1; then
    cat "$dir/install.log" >&2
    die "mariadb-install-db failed"
  fi
  mariadbd --no-defaults --user=root --datadir="$dir/data" \
    --socket="$dir/sock" --pid-file="$dir/pid" --skip-networking \
    --character-set-server=utf8mb4 \
    --innodb-flush-log-at-trx-commit=0 --log-error="$dir/log" \
    </dev/null >/dev/null 2>&1 &
  echo $! >"$dir/server.pid"
  local pid
  pid=$(cat "$dir/server.pid")
  local deadline=$((SECONDS + 60))
  until admin "$dir" ping >/dev/null 2>&1; do
    if ! kill -0 "$pid" 2>/dev/null; then
      cat "$dir/log" >&2
      die "MariaDB exited during start-up"
    fi
    if ((SECONDS >= deadline)); then
      cat "$dir/log" >&2
      die "MariaDB did not answer within 60 seconds"
    fi
    sleep 0.2
  done
  if ! mariadb --no-defaults --socket="$dir/sock" -uroot -e \
      "CREATE USER 'schemon_pw'@'localhost' IDENTIFIED BY '${SCHEMON_TEST_PASSWORD}'; GRANT ALL ON *.* TO 'schemon_pw'@'localhost'" \
      >"$dir/client.log" 2>&1; then
    cat "$dir/client.log" >&2
    die "cannot create the password login"
  fi
  echo "socket=$dir/sock user=root"
}

stop() {
  local dir=$1
  [ -f "$dir/server.pid" ] || return 0
  local pid
  pid=$(cat "$dir/server.pid")
  kill -0 "$pid" 2>/dev/null || return 0
  admin "$dir" --connect-timeout=5 shutdown >/dev/null 2>&1
  if ! wait_until 30 bash -c "! kill -0 $pid"; then
    say "MariaDB did not stop in time; killing $pid"
    kill -9 "$pid" 2>/dev/null
  fi
}

case "${1:-}" in
  start) [ $# -eq 2 ] || die "usage: $0 start DIR"; start "$2" ;;
  stop) [ $# -eq 2 ] || die "usage: $0 stop DIR"; stop "$2" ;;
  *) die "usage: $0 start DIR | stop DIR" ;;
esac
