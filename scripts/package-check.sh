#!/usr/bin/env bash
# Builds the Debian package in a build directory and proves it: the manual
# page renders without a warning; lintian reports no error and no warning;
# the package holds the tool, the scripts, the page, the /usr/bin link, the
# copyright file and the changelog, with the version the tool prints.
# Extracted into a scratch root, the installed tool prints its version,
# creates an SQLite database from the installed dbinit_sqlite.sql, checks it
# as a report and exports it, finding dbschema_sqlite.sql through its own
# place with ORVANE_INSTALL_PATH unset: run directly, through a link made
# here, and (where a private mount namespace can be made) through the
# shipped /usr/bin/schemon with the scratch root's /opt mounted on /opt.
# Usage: scripts/package-check.sh [BUILD_DIR]
#   BUILD_DIR  defaults to build-pkg; a new one is configured without tests
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/install-deps.sh --packaging

build=${1:-build-pkg}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSCHEMON_BUILD_TESTS=OFF >/dev/null
fi
build=$(cd "$build" && pwd)
rm -f "$build"/schemon_*.deb
cmake --build "$build" -j"$(nproc)" --target package_deb
debs=("$build"/schemon_*.deb)
deb=${debs[0]}
prefix=$(sed -n 's/^SCHEMON_PACKAGE_PREFIX:[A-Z]*=//p' "$build/CMakeCache.txt")

scratch=$(mktemp -d "${TMPDIR:-/tmp}/schemon-package.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "package-check: $*" >&2
  exit 1
}

# Renders a manual page given on standard input; any warning fails.
render_page() {
  local name=$1
  if ! groff -ww -man -Tutf8 -z 2> "$scratch/groff.err" ||
     [ -s "$scratch/groff.err" ]; then
    cat "$scratch/groff.err" >&2
    fail "groff warns about $name"
  fi
  echo "package-check: $name renders without warnings"
}

render_page man/schemon.1 < man/schemon.1

echo "\$ lintian $(basename "$deb")"
lintian --fail-on error,warning --display-info "$deb" ||
  fail "lintian reports errors or warnings"
echo "package-check: lintian reports no error and no warning"

version=$(dpkg-deb -f "$deb" Version)
changelog_version=$(dpkg-parsechangelog -l packaging/changelog -S Version)
[ "$version" = "$changelog_version" ] ||
  fail "package version $version, changelog version $changelog_version"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libsqlite3-0 libpq5 libmariadb3 libodbc2 libuuid1; do
  [[ " $depends" == *" $library "* ]] ||
    fail "Depends lacks $library: $depends"
done
echo "package-check: version $version, Depends: $depends"

pkgroot=$scratch/root
dpkg -x "$deb" "$pkgroot"
tool=$pkgroot$prefix/bin/schemon
sql=$pkgroot$prefix/lib/sql
for file in "$tool" "$sql/dbinit_sqlite.sql" "$sql/dbschema_sqlite.sql" \
            "$pkgroot$prefix/share/man/man1/schemon.1.gz" \
            "$pkgroot/usr/share/doc/schemon/copyright" \
            "$pkgroot/usr/share/doc/schemon/changelog.gz"; do
  [ -f "$file" ] || fail "the package lacks ${file#"$pkgroot"}"
done
[ -x "$tool" ] || fail "$prefix/bin/schemon is not executable"
for link in usr/bin/schemon:bin/schemon \
            usr/share/man/man1/schemon.1.gz:share/man/man1/schemon.1.gz; do
  target=$(readlink "$pkgroot/${link%%:*}") ||
    fail "the package lacks the link /${link%%:*}"
  [ "$target" = "$prefix/${link#*:}" ] ||
    fail "/${link%%:*} points to $target, not $prefix/${link#*:}"
done
gzip -dc "$pkgroot$prefix/share/man/man1/schemon.1.gz" |
  render_page "the packaged schemon.1.gz"

# Runs a command with its input closed and ORVANE_INSTALL_PATH unset; fails
# unless it ends with the exit code given first and prints the line given
# second. Shows the command and that line, or all the output on failure.
expect_run() {
  local code=$1 line=$2
  shift 2
  echo "\$ ${*#"$scratch/"} < /dev/null"
  local status=0
  env -u ORVANE_INSTALL_PATH "$@" < /dev/null > "$scratch/last.out" 2>&1 ||
    status=$?
  if [ "$status" != "$code" ] || ! grep -qxF "$line" "$scratch/last.out"; then
    cat "$scratch/last.out"
    fail "expected exit code $code and \"$line\", got exit code $status"
  fi
  echo "$line"
}

conf=$scratch/orvaned.conf
printf 'DBDriver = sqlite\nDBName = %s\n' "$scratch/orvane.db" > "$conf"
cd "$scratch"
expect_run 1 "Orvane Database Manager Version $version" "$tool" -v
expect_run 0 "Database initialized successfully" \
  "$tool" -c "$conf" init "$sql/dbinit_sqlite.sql"
expect_run 0 "Database doesn't contain any errors" "$tool" -c "$conf" check
expect_run 0 "Database export complete." \
  "$tool" -c "$conf" export "$scratch/direct.db"

# The export file is an SQLite database of the same version and rows.
copy_has_rows() {
  local copy=$1 query="SELECT count(*) FROM config"
  [ "$(sqlite3 "$copy" \
       "SELECT var_value FROM metadata WHERE var_name='SchemaVersion'")" = 98 ] ||
    fail "$copy does not hold schema version 98"
  [ "$(sqlite3 "$copy" "$query")" = "$(sqlite3 "$scratch/orvane.db" "$query")" ] ||
    fail "$copy does not hold the rows of config"
}
copy_has_rows "$scratch/direct.db"

mkdir "$scratch/bin"
ln -s "$tool" "$scratch/bin/schemon"
expect_run 0 "Database export complete." \
  "$scratch/bin/schemon" -c "$conf" export "$scratch/linked.db"
copy_has_rows "$scratch/linked.db"

if [[ "$prefix" == /opt/* ]] && unshare -m true 2>/dev/null; then
  expect_run 0 "Database export complete." \
    unshare -m sh -c 'mount --bind "$1" /opt && shift && exec "$@"' sh \
    "$pkgroot/opt" "$pkgroot/usr/bin/schemon" -c "$conf" export \
    "$scratch/shipped.db"
  copy_has_rows "$scratch/shipped.db"
else
  echo "package-check: no private mount namespace here: the shipped" \
       "/usr/bin/schemon is checked by its target only"
fi
cd "$root"
echo "package-check: $(basename "$deb") passed"
