# Of two language files the second is damaged: it is skipped silently, so
# one language remains and no dialog is shown.
make_installer() {
  language_project "$WORK/project" A-English.lng:English:1033 B-Deutsch.lng:Deutsch:1031
  build_installer "$WORK/project" "$WORK/sound.exe"
  surgery "$WORK/sound.exe" "$WORK/setup.exe" corrupt-entry 'B-Deutsch.lng'
}
driver_commands() {
  cat <<CMDS
start $SETUP
CMDS
  leave_wizard English
  echo 'expect-not-seen "Language selection"'
}
