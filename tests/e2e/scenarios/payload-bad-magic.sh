# The archive after the block does not begin with "QLZMA": the module
# cannot open it.
make_installer() {
  english_installer "$WORK/sound.exe"
  surgery "$WORK/sound.exe" "$WORK/setup.exe" archive-magic XLZMA
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
