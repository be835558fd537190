# A silent installation of the demo, as a deployment tool runs it, on
# Windows 8.1: the folder and the components come from the command line, no
# window appears at any time, exactly the chosen components' files arrive,
# the desktop shortcut is made as the wizard's tasks page would (its box is
# ticked at first), the exit code is 0 and the log names the system by its
# real version (the manifest lets Windows 8.1 tell it), the choices as an
# interactive run's log does, every file written, every task and the exit
# code.
WINDOWS_VERSION=win81
make_installer() {
  build_installer "$ROOT/examples/demo" "$WORK/setup.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP /S /COMPONENTS=21 /LOG=C:\\e2e\\install.log /D=C:\\Silent Demo
wait-exit 60000 0
expect-none-seen
CMDS
}
check_result() {
  local root="$PREFIX/drive_c/Silent Demo" files=$ROOT/examples/demo/Files log="$PREFIX/drive_c/e2e/install.log"
  cmp "$files/20/DemoApp.exe" "$root/DemoApp.exe"
  cmp "$files/21/Manual.txt" "$root/Docs/Manual.txt"
  [ ! -e "$root/Samples" ] && [ ! -e "$root/Tools" ]
  grep -q 'System: Windows 6.3 build 9600, workstation, 64-bit (OS code 100, acts as Windows 7)' "$log"
  grep -qF 'Install folder: "C:\Silent Demo\"' "$log"
  grep -q 'Components: 20 .*, 21 ' "$log"
  for name in DemoApp.exe License.txt Readme.txt Docs\\Manual.txt Docs\\ShowManual.exe; do
    grep -qF "Installed C:\\Silent Demo\\$name" "$log"
  done
  [ "$(grep -c 'Samples' "$log")" = 0 ]
  grep -qF 'Start-menu group: "Demo Company\Demo Product"' "$log"
  grep -q 'Desktop shortcuts: yes' "$log" && grep -q 'Quick-launch shortcuts: no' "$log"
  grep -q 'Task 30 "Desktop shortcut" (type 3): done, recorded for the uninstaller' "$log"
  ls "$PREFIX"/drive_c/users/*/Desktop/"Demo Product.lnk"
  tail -n 1 "$log" | grep -q 'Exit code 0'
  echo "check: chosen components only, no window, the log complete"
}
