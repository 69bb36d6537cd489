# Helpers shared by the throwaway-server scripts: messages, installing
# Debian packages when a program is missing, and bounded waiting.
# Sourced, not run.

say() { echo "[servers] $*" >&2; }
die() { say "error: $*"; exit 1; }

# Installs the given Debian packages with apt-get, retrying while another
# process holds the dpkg lock (for at most about five minutes).
install_packages() {
  say "installing $*"
  local attempt
  for attempt in $(seq 1 60); do
    if DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$@" \
        >/tmp/schemon_apt.$$.log 2>&1; then
      rm -f /tmp/schemon_apt.$$.log
      return 0
    fi
    if grep -q -e 'Could not get lock' -e 'dpkg frontend lock' \
        /tmp/schemon_apt.$$.log; then
      sleep 5
      continue
    fi
    cat /tmp/schemon_apt.$$.log >&2
    rm -f /tmp/schemon_apt.$$.log
    die "apt-get install $* failed"
  done
  die "the dpkg lock stayed busy; could not install $*"
}

# Runs the command given after the timeout in seconds until it succeeds.
# Returns 1 when it never did.
wait_until() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  while ((SECONDS < deadline)); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.2
  done
  return 1
}
