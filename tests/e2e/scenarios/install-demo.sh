# The demo product installed with every component into a folder the user
# typed: every file lands byte for byte below the chosen folder (the
# components' folders follow the principal one), the start-menu group's
# links point there (read back through the shell's link object, the web
# link's text exact), and the progress page ends on the finish page with
# its success text. Its log names the choices as a silent run's does. On
# Windows 7, the system later ones act as: what works on Windows 10 (the
# other demo scenarios) works here too.
WINDOWS_VERSION=win7
make_installer() {
  build_installer "$ROOT/examples/demo" "$WORK/setup.exe"
}
driver_commands() {
  local GROUP='%ALLUSERSPROFILE%\Microsoft\Windows\Start Menu\Programs\Demo Company\Demo Product'
  cat <<CMDS
$(install_demo_everything '/LOG=C:\e2e\install.log')
expect-text 309 "The program was successfully installed. Press 'Finish' to close the wizard and return to your desktop."
expect-link "$GROUP\Demo Product.lnk" "C:\Apps\Demo Test\DemoApp.exe" "" "C:\Apps\Demo Test" "C:\Apps\Demo Test\DemoApp.exe" 0
expect-link "$GROUP\User Manual.lnk" "C:\Apps\Demo Test\Docs\Manual.txt" "" "C:\Apps\Demo Test\Docs" "" 0
expect-link "$GROUP\Readme.lnk" "C:\Apps\Demo Test\Readme.txt" "" "C:\Apps\Demo Test" "" 0
expect-link "$GROUP\License.lnk" "C:\Apps\Demo Test\License.txt" "" "C:\Apps\Demo Test" "" 0
expect-link "$GROUP\Uninstall Demo Product.lnk" "C:\Apps\Demo Test\Uninst0.exe" "" "C:\Apps\Demo Test\" "C:\Apps\Demo Test\Uninst0.exe" 0
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
  local group="$PREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Demo Company/Demo Product"
  [ "$(cat "$group/Demo Product on the Web.url")" = $'[InternetShortcut]\r\nURL=http://www.example.com/demo-product\r' ]
  echo "check: every file in place, the web link exact"
  local log="$PREFIX/drive_c/e2e/install.log"
  grep -qx 'Install folder: "C:\\Apps\\Demo Test\\"' <(tr -d '\r' < "$log" | cut -d' ' -f3-)
  grep -q 'Components: 20 Program, 21 Documentation, 22 Samples, 23 Tools' "$log"
  grep -q 'For all users' "$log"
  grep -qF 'Start-menu group: "Demo Company\Demo Product"' "$log"
  grep -q 'Desktop shortcuts: yes' "$log" && grep -q 'Quick-launch shortcuts: ' "$log"
  echo "check: the log names the folder, components, scope, group and shortcut boxes"
}
