#!/usr/bin/env bash
# Installs the Debian packages that building and testing schemon need.
# Usage: scripts/install-deps.sh [--servers] [--hardening] [--packaging]
#   --servers    also the PostgreSQL and MariaDB servers and the ODBC drivers
#                that the full test suite starts.
#   --hardening  also clang and its sanitizer and libFuzzer runtimes, for the
#                sanitizer build and tests/fuzz.
#   --packaging  also what building and checking the Debian package needs
#                (scripts/package-check.sh).
set -euo pipefail

packages=(g++ cmake make pkg-config libsqlite3-dev libpq-dev libmariadb-dev
          unixodbc-dev uuid-dev libgtest-dev sqlite3 python3)
for option in "$@"; do
  case "$option" in
    --servers)
      packages+=(postgresql mariadb-server mariadb-client odbc-postgresql
                 libsqliteodbc unixodbc) ;;
    --hardening) packages+=(clang libclang-rt-dev) ;;
    --packaging) packages+=(dpkg-dev lintian groff-base file) ;;
    *) echo "install-deps: unknown option $option" >&2; exit 1 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages: ${missing[*]} (run as root to install)" >&2
  exit 1
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# Package scripts must not start services on this machine.
policy=/usr/sbin/policy-rc.d
created_policy=0
if [ ! -e "$policy" ]; then
  printf '#!/bin/sh\nexit 101\n' > "$policy"
  chmod +x "$policy"
  created_policy=1
fi
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
if [ "$created_policy" = 1 ]; then rm -f "$policy"; fi
