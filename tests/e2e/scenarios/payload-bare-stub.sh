# The stub alone, without a configuration block: refused as corrupt before
# anything is written, exit code 0.
make_installer() { cp "$BUILD/x64/startup/qvssetup.exe" "$WORK/setup.exe"; }
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox Error "This installer is corrupt. Please obtain a new copy from the vendor." error ok
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
