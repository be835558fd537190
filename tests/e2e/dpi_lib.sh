# Helpers for the scenarios that walk the demo at a screen resolution
# (wizard-dpi-*.sh, sourced by them): the German demo and the demo with a
# product name of 60 characters, every page checked for texts that do not
# fit their controls, for the places of a few controls scaled by DPI / 96,
# and kept as a screenshot in out/e2e/<scenario>/.
#
# The scenario sets DPI (96, 120 or 144) before sourcing this file.

LONG_NAME="Quorvantis Demonstration Product With A Very Long Name 2026"

# The place of a layout length at $DPI: value x DPI / 96, halves rounded up,
# as the installer rounds them.
scaled() { echo $(( ($1 * DPI + 48) / 96 )); }

# Both installers: setup.exe, the demo as it is; setup-long.exe, the demo
# with the long product name, asking before it replaces a file, and without
# its Header.bmp (the page headers' texts on plain headers).
make_dpi_installers() {
  build_installer "$ROOT/examples/demo" "$WORK/setup.exe"
  rm -rf "$WORK/long" && cp -r "$ROOT/examples/demo" "$WORK/long"
  rm "$WORK/long/Header.bmp"
  sed -i -e "s/^ProgramName = .*\r\$/ProgramName = $LONG_NAME\r/" \
    -e "s/^ReplaceStatus = .*\r\$/ReplaceStatus = 2\r/" "$WORK/long/Script.qvs"
  grep -q "^ProgramName = $LONG_NAME" "$WORK/long/Script.qvs"
  build_installer "$WORK/long" "$WORK/setup-long.exe"
  mkdir -p "$(shots_dir)"
}

# The screen's resolution as Wine reports it to every program.
set_screen_dpi() {
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$DPI" /f
}

shots_dir() { echo "$ROOT/${QVS_OUT:-out}/e2e/$(basename "$WORK")"; }

# snap NAME: the screen as out/e2e/<scenario>/NAME.bmp (made PNG afterwards),
# once the page has been painted.
snap_as() {
  local file="$(shots_dir)/$1.bmp"
  echo "sleep 300"
  echo "snap Z:${file//\//\\}"
}

# The interface fonts of the controls that do not use the normal one.
FONTS="52=title 302=title 54=small 27=link"

# dpi_walk EXE LANGUAGE PREFIX: driver commands that run EXE, pick
# LANGUAGE, and walk every page to the finish page, installing into the
# default folder; the installer then ends through the close box (no finish
# action). With REPLACE=1 the replace question is expected and answered
# with Yes to All.
dpi_walk() {
  local exe=$1 language=$2 prefix=$3 page
  cat <<CMDS
start C:\\e2e\\$exe
wait-window "Language selection"
expect-client-size $(scaled 286) $(scaled 126)
select-list 203 text=$language
expect-texts-fit
$(snap_as "$prefix-language")
click 204
wait-window "Demo Product 1.0 Setup" 30000
expect-client-size $(scaled 490) $(scaled 355)
expect-rect 52 $(scaled 160) $(scaled 25) $(scaled 322) $(scaled 90)
expect-rect 29 $(scaled 305) $(scaled 323) $(scaled 85) $(scaled 22)
expect-texts-fit $FONTS
$(snap_as "$prefix-page-0")
click 29
expect-visible 75 1
expect-rect 80 $(scaled 20) $(scaled 280) $(scaled 450) $(scaled 15)
set-check 80 1
expect-texts-fit $FONTS
$(snap_as "$prefix-page-1")
CMDS
  for page in 2 3 4 5 6 7 8; do
    cat <<CMDS
click 29
expect-visible $((50 + 25 * page)) 1
expect-texts-fit $FONTS
$(snap_as "$prefix-page-$page")
CMDS
  done
  cat <<CMDS
click 29
CMDS
  if [ "${REPLACE:-0}" = 1 ]; then
    cat <<CMDS
wait-window "Confirm file replace" 30000
expect-client-size $(scaled 376) $(scaled 191)
expect-rect 411 $(scaled 190) $(scaled 165) $(scaled 180) $(scaled 20)
expect-texts-fit
$(snap_as "$prefix-replace")
click 409
CMDS
  fi
  cat <<CMDS
wait-window "Demo Product 1.0 Setup" 30000
expect-visible 300 1
expect-texts-fit $FONTS
$(snap_as "$prefix-page-10")
$(finish_box_tooltip "$exe")
close-window
wait-exit 20000
CMDS
}

# The launch box of the long name's finish page is too narrow for it at
# every resolution: it shows the text shortened, and the whole in its
# tooltip.
finish_box_tooltip() {
  [ "$1" = setup-long.exe ] || return 0
  echo "expect-tooltip 304 \"Launch $LONG_NAME\""
}

# The commands of a whole scenario: the German demo, then the long name in
# English installed over it.
dpi_scenario_commands() {
  dpi_walk setup.exe Deutsch de
  REPLACE=1 dpi_walk setup-long.exe English en-long
}

# The screenshots as PNG files, checked by eye.
convert_shots() {
  local file
  for file in "$(shots_dir)"/*.bmp; do
    [ -f "$file" ] || continue
    convert "$file" "${file%.bmp}.png" && rm -f "$file"
  done
}
