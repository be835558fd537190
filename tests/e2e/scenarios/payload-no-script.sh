# The archive holds no installer script.
make_installer() {
  english_installer "$WORK/sound.exe"
  surgery "$WORK/sound.exe" "$WORK/setup.exe" drop-entries '\Config\Script.qvs'
  rm "$WORK/sound.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox Error "This installer is most probably corrupted (no script detected inside)." error ok
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
