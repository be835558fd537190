# The archive holds a script and product files but no language file.
make_installer() {
  english_installer "$WORK/sound.exe"
  surgery "$WORK/sound.exe" "$WORK/setup.exe" drop-entries .lng
  rm "$WORK/sound.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox Error "This installer is most probably corrupted (no language files detected inside)." error ok
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
