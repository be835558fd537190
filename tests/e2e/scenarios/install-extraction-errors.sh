# What the user can answer to extraction errors. A CRC error: Yes goes on
# without the file, No rolls back. A destination another program holds
# locked: Retry asks again while the lock lasts, Ignore goes on without the
# file, Abort rolls back. Every rollback puts back the files it had
# replaced, and no kept-aside copy is left behind.
make_installer() {
  component_project "$WORK/project" 'C:\Product' 0
  for name in a b c; do printf 'archived %s\r\n' "$name" > "$WORK/project/Files/1/$name.txt"; done
  build_installer "$WORK/project" "$WORK/setup.exe"
  surgery "$WORK/setup.exe" "$WORK/setup-crc.exe" bad-crc '1\b.txt'
  cp "$BUILD/x64/tests/e2e/e2eholder.exe" "$WORK/"
}
driver_commands() {
  local crc="A CRC32 (integrity) error was detected while unpacking the following file:<br><br>C:\\Product\\b.txt<br><br>Continue?"
  local locked="Cannot open file for writing at:<br>C:\\Product\\c.txt<br><br>Press 'Abort' to quit installation,<br>'Retry' to try again or<br>'Ignore' to ignore this file."
  local success="The program was successfully installed. Press 'Finish' to close the wizard and return to your desktop."
  local cancelled="The installation was cancelled before the program could be installed. Press 'Finish' to exit this wizard."
  cat <<CMDS
start C:\\e2e\\setup-crc.exe
$(walk_to_install)
expect-msgbox Error "$crc" error yes,no
answer yes
wait-window "E2E Product Setup"
expect-text 309 "$success"
click 31
wait-exit 20000
start C:\\e2e\\setup-crc.exe
$(walk_to_install)
expect-msgbox Error "$crc" error yes,no
answer no
wait-window "E2E Product Setup"
expect-text 309 "$cancelled"
click 31
wait-exit 20000
start C:\\e2e\\e2eholder.exe E2ELock "Locker" E2ELocker C:\\Product\\c.txt
wait-window "Locker"
start $SETUP
$(walk_to_install)
expect-msgbox Error "$locked" error abort,retry,ignore
answer retry
expect-msgbox Error "$locked" error abort,retry,ignore
answer ignore
wait-window "E2E Product Setup"
expect-text 309 "$success"
click 31
wait-exit 20000
start $SETUP
$(walk_to_install)
expect-msgbox Error "$locked" error abort,retry,ignore
answer abort
wait-window "E2E Product Setup"
expect-text 309 "$cancelled"
click 31
wait-exit 20000
proc 1
kill
CMDS
}
check_result() {
  local dir="$PREFIX/drive_c/Product"
  for name in a b c; do [ "$(cat "$dir/$name.txt")" = "archived $name"$'\r' ]; done
  [ "$(ls -A "$dir" | tr '\n' ' ')" = "a.txt b.txt c.txt readme.txt " ]
  echo "check: the files are the archived ones, no copy left aside"
}
