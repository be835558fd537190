# Wine and X for the end-to-end scenarios and the start-up benchmark:
# a virtual display, the prefix template made once under .cache, private
# prefix copies. Sourced; expects ROOT and sets DISPLAY, xvfb_pid and
# current_prefix. The caller ends what it started with stop_wine and
# stop_display.

TEMPLATE=$ROOT/.cache/wine-template
LOCALES=$ROOT/.cache/locale
# Bump when the template's settings change, so that it is made again.
TEMPLATE_VERSION=3
export WINEDEBUG=-all
# No menu entries on the host, no Mono or Gecko installers.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
wine=$(command -v wine64 || command -v wine)
xvfb_pid=""
current_prefix=""

winpath() { echo "Z:${1//\//\\}"; }

stop_wine() {
  [ -n "$current_prefix" ] || return 0
  WINEPREFIX=$current_prefix wineserver -k >/dev/null 2>&1
  WINEPREFIX=$current_prefix timeout 20 wineserver -w >/dev/null 2>&1
  current_prefix=""
}

stop_display() {
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
  xvfb_pid=""
}

# A fresh Xvfb on a display number it chooses itself (-displayfd), so that
# lanes and other users starting at the same moment never share one. No
# window manager: Wine draws the frames itself on its virtual desktop.
start_display() {
  local numbers n
  numbers=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numbers" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    n=$(tr -dc 0-9 < "$numbers")
    if [ -n "$n" ] && xdpyinfo -display ":$n" >/dev/null 2>&1; then
      rm -f "$numbers"
      export DISPLAY=":$n"
      return 0
    fi
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$numbers"
  stop_display
  return 1
}

# own_user_folders PREFIX: the user's Desktop, Documents and the like as
# empty folders of the prefix. Wine links them to the host's home folder,
# where every prefix copy, every lane and every other run would share them:
# a shortcut one scenario leaves on the desktop would be found by another
# (and would stay in the home folder for good).
own_user_folders() {
  local link
  for link in "$1"/drive_c/users/*/*; do
    [ -L "$link" ] || continue
    rm "$link" && mkdir "$link" || return 1
  done
}

# The prefix every scenario starts from: Windows 10, what users run (a
# scenario about an older system's rules names it in WINDOWS_VERSION); no
# crash dialog; one 1024x768 virtual desktop (so that activation and focus behave as on
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
"Version"="win10"

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
  if ! own_user_folders "$side"; then
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
