# Silent runs that must not install, each ending before anything is written
# with the exit code a deployment tool reads and the reason in the log: an
# operating system the product refuses (1633: a product for 32-bit systems
# only, on 64-bit Windows 10), a command line with an
# unknown switch or a component the installer lacks (1639), a language it
# does not carry (1639), an install folder too deep for the product's files
# (1639), a start-menu group that climbs out of the start menu (1639), and
# a damaged file met while writing (1603, after the rollback).
make_installer() {
  component_project "$WORK/project" 'C:\Product'
  printf '\r\n[InstallerSettings]\r\nCreateGroup = 1\r\nCustomStartMenuGroup = E2E\r\n' \
    >> "$WORK/project/Script.qvs"
  build_installer "$WORK/project" "$WORK/setup.exe"
  surgery "$WORK/setup.exe" "$WORK/setup-crc.exe" bad-crc '1\readme.txt'
  component_project "$WORK/refusing" 'C:\Product'
  sed -i 's/^\[SystemRequirements\]\r$/&\nInstallerType = 1\r/' "$WORK/refusing/Script.qvs"
  build_installer "$WORK/refusing" "$WORK/setup-os.exe"
}
driver_commands() {
  cat <<CMDS
start C:\\e2e\\setup-os.exe /S /LOG=C:\\e2e\\os.log
wait-exit 30000 1633
expect-none-seen
start $SETUP /S /X /LOG=C:\\e2e\\switch.log
wait-exit 30000 1639
start $SETUP /S /COMPONENTS=7 /LOG=C:\\e2e\\component.log
wait-exit 30000 1639
start $SETUP /S /LANG=1040 /LOG=C:\\e2e\\language.log
wait-exit 30000 1639
start $SETUP /S /LOG=C:\\e2e\\deep.log /D=C:\\$(printf 'd%.0s' $(seq 247))
wait-exit 30000 1639
start $SETUP /S /GROUP=..\\..\\..\\Windows\\System32\\QvsGroup /LOG=C:\\e2e\\group.log
wait-exit 30000 1639
start C:\\e2e\\setup-crc.exe /S /LOG=C:\\e2e\\crc.log
wait-exit 30000 1603
expect-none-seen
CMDS
}
check_result() {
  local logs="$PREFIX/drive_c/e2e"
  [ ! -e "$PREFIX/drive_c/Product" ]
  grep -q 'Check operating system: failed' "$logs/os.log"
  grep -qF 'unknown switch "/X"' "$logs/switch.log"
  grep -q 'component 7, which this installer does not have' "$logs/component.log"
  grep -q 'The language 1040 (/LANG) is not in this installer' "$logs/language.log"
  grep -q 'the install folder "C:\\d*\\" is not valid' "$logs/deep.log"
  grep -qF 'the start-menu group "..\..\..\Windows\System32\QvsGroup" is not a valid name' "$logs/group.log"
  [ ! -e "$PREFIX/drive_c/windows/system32/QvsGroup" ]
  grep -q 'A CRC32 (integrity) error' "$logs/crc.log"
  grep -q 'Installation failed and rolled back' "$logs/crc.log"
  for log in os switch component language deep group crc; do tail -n 1 "$logs/$log.log" | grep -q 'Exit code 16'; done
  echo "check: nothing installed, each refusal with its code and reason"
}
