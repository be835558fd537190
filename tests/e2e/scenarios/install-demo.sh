# The demo product installed with every component into a folder the user
# typed: every file lands byte for byte below the chosen folder (the
# components' folders follow the principal one), the progress page ends on
# the finish page with its success text.
make_installer() {
  build_installer "$ROOT/examples/demo" "$WORK/setup.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
wait-window "Language selection"
click 204
wait-window "Demo Product 1.0 Setup"
click 29
set-check 80 1
click 29
click 29
select-list 131 1
click 29
set-text 156 "C:\\Apps\\Demo Test\\"
click 29
click 29
click 29
click 29
expect-visible 250 1
click 29
wait-window "Demo Product 1.0 Setup"
expect-visible 300 1 
expect-text 309 "The program was successfully installed. Press 'Finish' to close the wizard and return to your desktop."
click 31
wait-exit 20000
CMDS
}
check_result() {
  local root="$PREFIX/drive_c/Apps/Demo Test"
  local files=$ROOT/examples/demo/Files
  cmp "$files/20/DemoApp.exe" "$root/DemoApp.exe"
  cmp "$files/20/Readme.txt" "$root/Readme.txt"
  cmp "$files/21/Manual.txt" "$root/Docs/Manual.txt"
  cmp "$files/22/Shapes.qdemo" "$root/Samples/Shapes.qdemo"
  cmp "$files/23/DemoTool.exe" "$root/Tools/DemoTool.exe"
  echo "check: every file in place"
}
