# A sound archive header with no entries: no payload either.
make_installer() {
  english_installer "$WORK/sound.exe"
  surgery "$WORK/sound.exe" "$WORK/setup.exe" no-entries
  rm "$WORK/sound.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox Information "This installer doesn't contain any data inside." information ok
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
