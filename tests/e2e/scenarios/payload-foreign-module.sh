# A module with every export but another signature (qvsforeign.dll).
make_installer() {
  english_installer "$WORK/sound.exe"
  surgery "$WORK/sound.exe" "$WORK/setup.exe" module "$BUILD/x64/tests/e2e/qvsforeign.dll"
  rm "$WORK/sound.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox Error "Version mismatch / unknown unpacker DLL module." error ok
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
