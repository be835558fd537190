# The script's compressed data is damaged, so its extraction fails.
make_installer() {
  english_installer "$WORK/sound.exe"
  surgery "$WORK/sound.exe" "$WORK/setup.exe" corrupt-entry '\Config\Script.qvs'
  rm "$WORK/sound.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox Error "This installer is corrupt. Please obtain another copy and retry installation." error ok
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
