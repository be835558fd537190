# The configuration block starts at byte 1,048,557, so the start marker
# ends one byte past the first MiB: only that MiB is searched, and the
# installer is refused as corrupt.
make_installer() {
  english_installer "$WORK/sound.exe"
  surgery "$WORK/sound.exe" "$WORK/setup.exe" start-at 1048557
  rm "$WORK/sound.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox Error "This installer is corrupt. Please obtain a new copy from the vendor." error ok
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
