# The record of the product file (after the script and the language file)
# is damaged: the walk stops there, short of the archive's entry count. The
# installer must not open the wizard with the files after it missing.
make_installer() {
  english_installer "$WORK/sound.exe"
  surgery "$WORK/sound.exe" "$WORK/setup.exe" bad-record '1\readme.txt'
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
