# Checks of the end-to-end sessions that start no player window: a name for the log and a count of
# failures. Sourced by tests/e2e/*.sh; never run on its own.
# Usage: checks_init NAME; expect_eq WHAT ACTUAL EXPECTED; fail WHY; ...; checks_finish
checks_init() { checks_name=$1; failures=0; }
log() { echo "e2e[$checks_name]: $*"; }
fail() { echo "e2e[$checks_name]: FAIL: $*" >&2; failures=$((failures + 1)); }
expect_eq() { if [ "$2" == "$3" ]; then log "ok: $1"; else fail "$1: got '$2', expected '$3'"; fi; }
checks_finish() {
  if [ "$failures" -ne 0 ]; then
    log "$failures failed"
    exit 1
  fi
  log "all passed"
  exit 0
}
