# A configuration block that carries a module of size 0.
make_installer() {
  english_installer "$WORK/sound.exe"
  surgery "$WORK/sound.exe" "$WORK/setup.exe" module -
  rm "$WORK/sound.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox Error "Error reading installer data." error ok
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
