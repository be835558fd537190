# Of two language files the second is damaged: it is skipped silently, so
# one language remains and no dialog is shown.
make_installer() {
  new_project "$WORK/project" A-English.lng:English:1033 B-Deutsch.lng:Deutsch:1031
  build_installer "$WORK/project" "$WORK/sound.exe"
  surgery "$WORK/sound.exe" "$WORK/setup.exe" corrupt-entry 'B-Deutsch.lng'
}
driver_commands() {
  cat <<CMDS
start $SETUP
wait-exit 20000
expect-not-seen "Language selection"
glob-count $TEMP_MODULES 0
CMDS
}
