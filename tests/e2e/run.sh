#!/usr/bin/env bash
# End-to-end scenarios: real installers made by the builder, run under Wine
# on a virtual X display and driven by uidriver.exe the way a user drives
# them. Each scenario (scenarios/*.sh) runs in a fresh copy of a Wine prefix
# made once under .cache/wine-template; the screen before its last action is
# kept as out/e2e/<scenario>.png.
#
# usage: tests/e2e/run.sh [-k] [SCENARIO...]
#   SCENARIO  file names under scenarios/ without .sh (shell patterns work);
#             all when none is given
#   -k        keep each scenario's prefix and scratch files
# Environment: QVS_BUILD (build root, default build), QVS_OUT (default out).
# Prints "ok: ..." or "FAIL: ..." per scenario and "RESULT <passed> <failed>".
set -u
cd "$(dirname "$0")/../.."
ROOT=$PWD
E2E=$ROOT/tests/e2e
BUILD=$(cd "${QVS_BUILD:-build}" 2>/dev/null && pwd || echo "$ROOT/${QVS_BUILD:-build}")
OUT=$ROOT/${QVS_OUT:-out}/e2e
TEMPLATE=$ROOT/.cache/wine-template
LOCALES=$ROOT/.cache/locale
# Bump when the template's settings change, so that it is made again.
TEMPLATE_VERSION=1
SCENARIO_TIMEOUT=120
export WINEDEBUG=-all
# No menu entries on the host, no Mono or Gecko installers.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
wine=$(command -v wine64 || command -v wine)

keep=0
if [ "${1:-}" = -k ]; then keep=1; shift; fi

passed=0 failed=0
xvfb_pid=""
current_prefix=""

winpath() { echo "Z:${1//\//\\}"; }

stop_wine() {
  [ -n "$current_prefix" ] || return 0
  WINEPREFIX=$current_prefix wineserver -k >/dev/null 2>&1
  WINEPREFIX=$current_prefix timeout 20 wineserver -w >/dev/null 2>&1
  current_prefix=""
}

cleanup() {
  stop_wine
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A free display number with a fresh Xvfb on it; no window manager: Wine
# draws the frames itself on its virtual desktop.
start_display() {
  local n
  for n in $(seq 90 160); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then export DISPLAY=":$n"; return 0; fi
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; xvfb_pid=""
  done
  return 1
}

# The prefix every scenario starts from: Windows 7, no crash dialog, one
# 1024x768 virtual desktop (so that activation and focus behave as on
# Windows without a window manager). Made in a side folder and renamed, so
# that an interrupted run never leaves half a template.
make_template() {
  [ "$(cat "$TEMPLATE/.qvs-template" 2>/dev/null)" = "$TEMPLATE_VERSION" ] && return 0
  echo "e2e: making the Wine prefix template (once)"
  local side=$TEMPLATE.new.$$
  rm -rf "$side" && mkdir -p "$side"
  cat > "$side.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine]
"Version"="win7"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"
REG
  WINEPREFIX=$side "$wine" wineboot -i >/dev/null 2>&1 &&
    WINEPREFIX=$side "$wine" regedit /S "$(winpath "$side.reg")" >/dev/null 2>&1 &&
    WINEPREFIX=$side timeout 60 wineserver -w
  local ok=$?
  rm -f "$side.reg"
  if [ $ok -ne 0 ] || [ ! -d "$side/drive_c/windows/system32" ]; then
    rm -rf "$side"
    return 1
  fi
  echo "$TEMPLATE_VERSION" > "$side/.qvs-template"
  rm -rf "$TEMPLATE" && mv "$side" "$TEMPLATE"
}

# A private copy of the template. The system folders (nine tenths of its
# 700 MB) are hard links, since nothing a scenario runs writes into an
# existing system file; everything else is copied.
copy_prefix() {
  local dest=$1 shared="system32 syswow64 winsxs" d
  mkdir -p "$dest/drive_c/windows"
  for d in $shared; do
    [ -d "$TEMPLATE/drive_c/windows/$d" ] && cp -al "$TEMPLATE/drive_c/windows/$d" "$dest/drive_c/windows/"
  done
  (cd "$TEMPLATE" && tar -cf - --exclude=./drive_c/windows/system32 \
     --exclude=./drive_c/windows/syswow64 --exclude=./drive_c/windows/winsxs .) |
    (cd "$dest" && tar -xf -)
}

# A compiled glibc locale under .cache/locale, for scenarios that set LOCALE.
ensure_locale() {
  local locale=$1
  [ -d "$LOCALES/$locale" ] && return 0
  mkdir -p "$LOCALES"
  localedef -i "${locale%%.*}" -f "${locale#*.}" "$LOCALES/$locale" >/dev/null 2>&1 ||
    [ -d "$LOCALES/$locale" ]
}

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
  env "${env_locale[@]}" timeout "$SCENARIO_TIMEOUT" "$wine" "$BUILD/x64/tests/e2e/uidriver.exe" -v \
    -s "$(winpath "$work/last.bmp")" -f "$(winpath "$work/commands.txt")" > "$work/driver.log" 2>&1
  rc=$?
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

main() {
  local missing=0 f
  for f in "$BUILD/host/builder/qvsbuild" "$BUILD/x64/startup/qvssetup.exe" \
           "$BUILD/x64/module/qvsunpack.dll" "$BUILD/x64/tests/e2e/uidriver.exe" \
           "$BUILD/x64/tests/e2e/qvsforeign.dll"; do
    [ -f "$f" ] || { echo "FAIL: missing $f"; missing=1; }
  done
  if [ $missing -eq 1 ]; then echo "RESULT 0 1"; return 1; fi
  mkdir -p "$OUT"
  if ! start_display; then echo "FAIL: no X display (Xvfb)"; echo "RESULT 0 1"; return 1; fi
  if ! make_template; then echo "FAIL: the Wine prefix template"; echo "RESULT 0 1"; return 1; fi

  local -a files=()
  if [ $# -eq 0 ]; then
    files=("$E2E"/scenarios/*.sh)
  else
    local pattern
    for pattern in "$@"; do
      for f in "$E2E"/scenarios/$pattern.sh; do [ -f "$f" ] && files+=("$f"); done
    done
  fi
  local suite_start=$(date +%s)
  for f in "${files[@]}"; do run_scenario "$f"; done
  echo "e2e: $passed passed, $failed failed in $(( $(date +%s) - suite_start )) s; screenshots in ${OUT#$ROOT/}"
  echo "RESULT $passed $failed"
  [ $failed -eq 0 ]
}

main "$@"
