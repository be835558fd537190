# Cancel while a large product is being written, confirmed: the rollback
# leaves the machine as it was. A file the installation had overwritten
# (the user answered Yes) is back byte for byte, a file it kept (No) is
# untouched, every file and folder it made is gone, and the finish page
# says the installation was cancelled and offers nothing to launch.
make_installer() {
  component_project "$WORK/project" 'C:\Product' 2
  local files="$WORK/project/Files/1"
  printf 'archived a\r\n' > "$files/a-old.txt"
  printf 'archived b\r\n' > "$files/b-new.txt"
  mkdir -p "$files/sub"
  # 300 MB in 20 files that pack small and take seconds to write: the
  # cancel comes long before the last file, which is written without the
  # offer to cancel.
  for n in $(seq -w 1 20); do yes "line $n of a large product file" | head -c 15000000 > "$files/sub/z$n.bin"; done
  sed 's/$/\r/' >> "$WORK/project/Script.qvs" <<'SCRIPT'
[InstallerSettings]
LaunchProgramCheckbox = 1
LaunchProgramComponentID = 1
VisitWebsiteCheckbox = 1
SCRIPT
  build_installer "$WORK/project" "$WORK/setup.exe"
}
prepare_machine() {
  local dir="$PREFIX/drive_c/Product"
  mkdir -p "$dir"
  printf 'old a, from before\r\n' > "$dir/a-old.txt"
  printf 'the user made b\r\n' > "$dir/b-new.txt"
}
driver_commands() {
  cat <<CMDS
start $SETUP
$(walk_to_install)
wait-window "Confirm file replace"
expect-text-contains 404 """a-old.txt"""
click 408
wait-window "Confirm file replace"
expect-text-contains 404 """b-new.txt"""
click 410
wait-window "E2E Product Setup"
click 30
expect-msgbox "Please confirm" "Are you sure you want to stop the installation of E2E Product now? Press 'No' to continue or 'Yes' to end this program.<br><br>You can run this installer at a later time and continue the installation procedure." question yes,no
answer yes
wait-window "E2E Product Setup"
expect-visible 300 1
expect-text 309 "The installation was cancelled before the program could be installed. Press 'Finish' to exit this wizard."
expect-visible 304 0
expect-visible 308 0
click 31
wait-exit 20000
CMDS
}
check_result() {
  local dir="$PREFIX/drive_c/Product"
  [ "$(cat "$dir/a-old.txt")" = $'old a, from before\r' ]
  [ "$(cat "$dir/b-new.txt")" = $'the user made b\r' ]
  [ "$(ls -A "$dir" | tr '\n' ' ')" = "a-old.txt b-new.txt " ]
  echo "check: the folder holds exactly what it held before"
}
