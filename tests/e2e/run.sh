#!/usr/bin/env bash
# End-to-end scenarios: real installers made by the builder, run under Wine
# on a virtual X display and driven by uidriver.exe the way a user drives
# them. Each scenario (scenarios/*.sh) runs in a fresh copy of a Wine prefix
# made once under .cache/wine-template; the screen before its last action is
# kept as out/e2e/<scenario>.png.
#
# usage: tests/e2e/run.sh [-k] [-j LANES] [SCENARIO...]
#   SCENARIO  file names under scenarios/ without .sh (shell patterns work);
#             all when none is given
#   -k        keep each scenario's prefix and scratch files
#   -j LANES  scenarios run in this many lanes at once (2)
# Environment: QVS_BUILD (build root, default build), QVS_OUT (default out).
# Prints "ok: ..." or "FAIL: ..." per scenario and "RESULT <passed> <failed>".
set -u
cd "$(dirname "$0")/../.."
ROOT=$PWD
E2E=$ROOT/tests/e2e
BUILD=$(cd "${QVS_BUILD:-build}" 2>/dev/null && pwd || echo "$ROOT/${QVS_BUILD:-build}")
OUT=$ROOT/${QVS_OUT:-out}/e2e
SCENARIO_TIMEOUT=120
source "$E2E/wine_env.sh"

keep=0
lanes=2
while [ $# -gt 0 ]; do
  case $1 in
    -k) keep=1; shift ;;
    -j) lanes=${2:-2}; shift 2 ;;
    *) break ;;
  esac
done
[ "$lanes" -ge 1 ] 2>/dev/null || lanes=1

passed=0 failed=0

cleanup() {
  stop_wine
  stop_display
}
trap cleanup EXIT
trap 'exit 130' INT TERM

run_scenario() {
  local file=$1 name work prefix rc started seconds winver locale
  name=$(basename "$file" .sh)
  work=$OUT/work/$name
  prefix=$work/prefix
  started=$(date +%s%N)
  rm -rf "$work" "$OUT/$name.png" "$OUT/$name.log"
  mkdir -p "$work"
  copy_prefix "$prefix"

  # The scenario's own steps, in a subshell so that its definitions stay there.
  (
      set -e
      ROOT=$ROOT BUILD=$BUILD E2E=$E2E WORK=$work
      source "$E2E/lib.sh"
      source "$file"
      make_installer
      driver_commands > "$work/commands.txt"
      echo "${WINDOWS_VERSION:-}" > "$work/windows-version"
      echo "${LOCALE:-}" > "$work/locale"
  ) > "$work/make.log" 2>&1
  if [ $? -ne 0 ]; then
    echo "FAIL: $name: making the installer"
    sed 's/^/    /' "$work/make.log" | tail -n 15
    failed=$((failed + 1))
    return
  fi
  mkdir -p "$prefix/drive_c/e2e"
  cp "$work"/*.exe "$prefix/drive_c/e2e/"

  winver=$(cat "$work/windows-version")
  locale=$(cat "$work/locale")
  current_prefix=$prefix
  export WINEPREFIX=$prefix
  if [ -n "$winver" ]; then
    # Through winecfg, which also sets the product details Wine reports with
    # the version (with the Version value alone, "win7" is a server); the
    # value alone for what winecfg refuses in a 64-bit prefix (nt351).
    "$wine" winecfg -v "$winver" >/dev/null 2>&1 ||
      "$wine" reg add 'HKCU\Software\Wine' /v Version /d "$winver" /f >/dev/null 2>&1
  fi
  local -a env_locale=()
  if [ -n "$locale" ]; then
    if ! ensure_locale "$locale"; then
      echo "FAIL: $name: locale $locale cannot be compiled (localedef, package locales)"
      failed=$((failed + 1))
      stop_wine
      return
    fi
    env_locale=(LOCPATH="$LOCALES" LANG="$locale" LC_ALL="$locale")
  fi
  rc=0
  # Called as plain commands: on the left of || the hooks' set -e would be
  # ignored, and a failing check in the middle of one would go unnoticed.
  scenario_hook prepare_machine "$file" "$work" > "$work/driver.log" 2>&1
  rc=$?
  if [ $rc -eq 0 ]; then
    env "${env_locale[@]}" timeout "$SCENARIO_TIMEOUT" "$wine" "$BUILD/x64/tests/e2e/uidriver.exe" -v \
      -s "$(winpath "$work/last.bmp")" -f "$(winpath "$work/commands.txt")" >> "$work/driver.log" 2>&1
    rc=$?
  fi
  if [ $rc -eq 0 ]; then
    scenario_hook check_result "$file" "$work" >> "$work/driver.log" 2>&1
    rc=$?
  fi
  if [ -f "$work/last.bmp" ]; then
    convert "$work/last.bmp" "$OUT/$name.png" 2>/dev/null
  else
    import -window root "$OUT/$name.png" 2>/dev/null
  fi
  stop_wine
  cp "$work/driver.log" "$OUT/$name.log"
  seconds=$(( ($(date +%s%N) - started) / 1000000 ))
  if [ $rc -eq 0 ]; then
    printf 'ok: %s (%d.%03d s)\n' "$name" $((seconds / 1000)) $((seconds % 1000))
    passed=$((passed + 1))
  else
    printf 'FAIL: %s (%d.%03d s, exit %d)\n' "$name" $((seconds / 1000)) $((seconds % 1000)) "$rc"
    sed 's/^/    /' "$work/driver.log" | tail -n 15
    failed=$((failed + 1))
  fi
  [ $keep -eq 1 ] || rm -rf "$work"
}

# scenario_hook NAME FILE WORK: runs the scenario's optional function NAME
# (prepare_machine before the driver, check_result after it) in a subshell,
# with the prefix in PREFIX and WINEPREFIX; its failure fails the scenario.
scenario_hook() {
  local hook=$1 file=$2 work=$3
  grep -q "^$hook()" "$file" || return 0
  (
    set -e
    ROOT=$ROOT BUILD=$BUILD E2E=$E2E WORK=$work PREFIX=$work/prefix
    source "$E2E/lib.sh"
    source "$file"
    "$hook"
  )
}

# One lane: its own display, its scenarios in turn; the counts go to $1.
run_lane() {
  local counts=$1 f
  shift
  trap cleanup EXIT
  if ! start_display; then
    echo "FAIL: no X display (Xvfb)"
    echo "0 1" > "$counts"
    return
  fi
  for f in "$@"; do run_scenario "$f"; done
  echo "$passed $failed" > "$counts"
}

main() {
  local missing=0 f
  for f in "$BUILD/host/builder/qvsbuild" "$BUILD/x64/startup/qvssetup.exe" \
           "$BUILD/x64/module/qvsunpack.dll" "$BUILD/x64/uninstaller/qvsuninst.exe" \
           "$BUILD/x64/tests/e2e/uidriver.exe" \
           "$BUILD/x64/tests/e2e/qvsforeign.dll"; do
    [ -f "$f" ] || { echo "FAIL: missing $f"; missing=1; }
  done
  if [ $missing -eq 1 ]; then echo "RESULT 0 1"; return 1; fi
  mkdir -p "$OUT"
  local template_ok=0
  if start_display && make_template; then template_ok=1; fi
  stop_display
  if [ $template_ok -eq 0 ]; then echo "FAIL: the Wine prefix template"; echo "RESULT 0 1"; return 1; fi

  local -a files=()
  if [ $# -eq 0 ]; then
    files=("$E2E"/scenarios/*.sh)
  else
    local pattern
    for pattern in "$@"; do
      for f in "$E2E"/scenarios/$pattern.sh; do [ -f "$f" ] && files+=("$f"); done
    done
  fi
  if [ ${#files[@]} -eq 0 ]; then echo "FAIL: no scenario matches: $*"; echo "RESULT 0 1"; return 1; fi
  # Scenarios spend much of their time waiting for Wine to start; lanes, each
  # with its own display, overlap those waits.
  rm -f "$OUT"/lane-*.counts
  local suite_start=$(date +%s) lane i
  local -a pids=()
  for ((lane = 0; lane < lanes; lane++)); do
    local -a mine=()
    for ((i = lane; i < ${#files[@]}; i += lanes)); do mine+=("${files[$i]}"); done
    [ ${#mine[@]} -gt 0 ] || continue
    run_lane "$OUT/lane-$lane.counts" "${mine[@]}" &
    pids+=($!)
  done
  for i in "${pids[@]}"; do wait "$i"; done
  passed=0 failed=0
  for f in "$OUT"/lane-*.counts; do
    [ -f "$f" ] || continue
    read -r p q < "$f"
    passed=$((passed + p)); failed=$((failed + q))
    rm -f "$f"
  done
  # A lane that died before writing its counts leaves scenarios unreported:
  # each of those is a failure.
  local unreported=$(( ${#files[@]} - passed - failed ))
  if [ $unreported -gt 0 ]; then
    echo "FAIL: $unreported scenario(s) ended without a result"
    failed=$((failed + unreported))
  fi
  echo "e2e: $passed passed, $failed failed in $(( $(date +%s) - suite_start )) s ($lanes lanes); screenshots in ${OUT#$ROOT/}"
  echo "RESULT $passed $failed"
  [ $failed -eq 0 ]
}

main "$@"
