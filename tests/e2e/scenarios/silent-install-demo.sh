# A silent installation of the demo, as a deployment tool runs it: the
# folder and the components come from the command line, no window appears
# at any time, exactly the chosen components' files arrive, the exit code
# is 0 and the log names the choices, every file written and the exit code.
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
  grep -qF 'Install folder: "C:\Silent Demo\"' "$log"
  grep -q 'Components: 20 .*, 21 ' "$log"
  for name in DemoApp.exe License.txt Readme.txt Docs\\Manual.txt Docs\\ShowManual.exe; do
    grep -qF "Installed C:\\Silent Demo\\$name" "$log"
  done
  ! grep -q 'Samples' "$log"
  tail -n 1 "$log" | grep -q 'Exit code 0'
  echo "check: chosen components only, no window, the log complete"
}
