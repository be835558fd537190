# Sourced by the Wine suites. A new prefix is made and left to settle before
# the first test program runs in it: Wine's first start (wineboot and the
# services it launches) otherwise overlaps that program and the next one, and
# a program started in that window can end without any output. Expects
# WINEPREFIX.

prepare_prefix() {
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml=" \
      timeout 300 wineboot -i >/dev/null 2>&1
  fi
  timeout 120 wineserver -w >/dev/null 2>&1
  # The user's Desktop, Documents and the like as the prefix's own folders:
  # Wine links them to the host's home, which every prefix and run shares.
  local link
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm "$link" && mkdir "$link"; fi
  done
}

# Ends the prefix's wineserver, so that no suite inherits another's.
stop_prefix() {
  wineserver -k >/dev/null 2>&1
  timeout 20 wineserver -w >/dev/null 2>&1
}

# Runs a Wine test program with its output in LOG (carriage returns
# dropped). A run that printed nothing at all is tried once more, since that
# is Wine failing to start the program rather than the program failing; a
# run that printed anything stands.
run_logged() {  # log, timeout seconds, command...
  local log=$1 limit=$2 status
  shift 2
  timeout "$limit" "$@" </dev/null 2>&1 | tr -d '\r' >"$log"
  status=${PIPESTATUS[0]}
  if [ ! -s "$log" ]; then
    echo "note: $(basename "$log" .log) printed nothing (exit $status); running it again"
    timeout 20 wineserver -w >/dev/null 2>&1
    timeout "$limit" "$@" </dev/null 2>&1 | tr -d '\r' >"$log"
    status=${PIPESTATUS[0]}
  fi
  [ -s "$log" ] || echo "note: $(basename "$log" .log) printed nothing again (exit $status)"
  return 0
}

# Runs a Wine test program that ends with "checks: P passed, F failed", under
# a virtual display when there is none (some checks measure text in real
# controls), then ends the prefix's wineserver. Prints its failures and
# notes and sets `passed` and `failed` from its last line; a program without
# that line counts as one failure.
run_checks_program() {  # name, log, timeout seconds, program
  local name=$1 log=$2 limit=$3 line
  local run=("$wine" "$4")
  if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
    run=(xvfb-run -a "${run[@]}")
  fi
  run_logged "$log" "$limit" "${run[@]}"
  stop_prefix
  grep -E '^(FAIL|note)' "$log"
  line=$(grep '^checks: ' "$log" | tail -n 1)
  if [ -z "$line" ]; then
    tail -n 20 "$log"
    passed=0 failed=1
    return
  fi
  echo "$name: $line"
  passed=$(echo "$line" | sed 's/checks: \([0-9]*\) passed, \([0-9]*\) failed/\1/')
  failed=$(echo "$line" | sed 's/checks: \([0-9]*\) passed, \([0-9]*\) failed/\2/')
}
