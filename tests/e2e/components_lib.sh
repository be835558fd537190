# Helpers for the scenarios of the components and install-folder pages
# (sourced by those scenarios). The demo product's tree, all rows shown:
#   0 Demo Product (category)  1 Program files (principal, locked)
#   2 User manual (mandatory)  3 Extras (category)
#   4 Sample documents (marked)  5 Command-line tools
# Sizes: 4509 + 4101 locked, 3754 samples, 3772 tools.

# demo_installer [SCRIPT-EDIT...]: the demo product as $WORK/setup.exe,
# each argument a sed expression applied to its script first.
demo_installer() {
  local edit
  rm -rf "$WORK/project" && cp -r "$ROOT/examples/demo" "$WORK/project"
  for edit in "$@"; do sed -i -e "$edit" "$WORK/project/Script.qvs"; done
  build_installer "$WORK/project" "$WORK/setup.exe"
}

# The windows folder of the screenshots kept with the scenario's results.
shots_folder() {
  mkdir -p "$ROOT/out/e2e/shots"
  echo "Z:${ROOT//\//\\}\\out\\e2e\\shots"
}

# Driver commands from the start to the components page (English chosen,
# licence accepted).
to_components_page() {
  cat <<CMDS
start $SETUP
wait-window "Language selection"
press-enter
wait-window "Demo Product 1.0 Setup"
click 29
set-check 80 1
click 29
expect-visible 100 1
click 29
expect-visible 125 1
CMDS
}

# Makes Q: a CD drive without a medium in the scenario's prefix: the system
# knows the drive, but its free space cannot be read.
cd_drive_without_medium() {
  ln -sfn /nonexistent-qvs-cd-medium "$WORK/prefix/dosdevices/q:"
  printf '\n[Software\\\\Wine\\\\Drives] 1700000000\n"q:"="cdrom"\n' >> "$WORK/prefix/system.reg"
}
