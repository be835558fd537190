# Another program of the user renames the running setup.exe and copies a
# different installer into its place while the review page is shown, with
# the Windows file calls (which honour sharing): the installer holds its
# own file from the start, so both fail, and the files installed are the
# original's. The substitute's file has the original's size, so that both
# carry the same configuration prefix: an installer that read its file by
# path again would install the substitute's file without a word.
make_installer() {
  component_project "$WORK/project" 'C:\Product'
  printf 'original\r\n' > "$WORK/project/Files/1/swap.txt"
  build_installer "$WORK/project" "$WORK/setup.exe"
  component_project "$WORK/other" 'C:\Product'
  printf 'imposter\r\n' > "$WORK/other/Files/1/swap.txt"
  build_installer "$WORK/other" "$WORK/other.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
$(walk_to_review)
start C:\\windows\\system32\\cmd.exe /c move /y C:\\e2e\\setup.exe C:\\e2e\\setup-old.exe
wait-exit 20000 any
start C:\\windows\\system32\\cmd.exe /c copy /y C:\\e2e\\other.exe C:\\e2e\\setup.exe
wait-exit 20000 any
file-exists C:\\e2e\\setup-old.exe 0
proc 1
wait-window "E2E Product Setup"
click 29
wait-window "E2E Product Setup" 30000
expect-visible 300 1
click 31
wait-exit 20000
CMDS
}
check_result() {
  [ "$(cat "$PREFIX/drive_c/Product/swap.txt")" = $'original\r' ]
  cmp "$WORK/setup.exe" "$PREFIX/drive_c/e2e/setup.exe"
  echo "check: setup.exe neither moved nor overwritten; the original's files installed"
}
