# The only language file is 64 MiB, far over the installer's limit (the
# builder refuses it; here a product file takes its name after the build).
# Start-up once parsed it twice, for minutes and gigabytes, before any
# window; now it is skipped like a damaged language file, and the message
# that no language is left comes at once, in little memory.
make_installer() {
  new_project "$WORK/project" English.lng:English:1033
  oversized_text "$WORK/project/Files/1/oversized.lng" "$WORK/project/Languages/English.lng"
  build_installer "$WORK/project" "$WORK/sound.exe"
  surgery "$WORK/sound.exe" "$WORK/setup.exe" move-entry '\oversized.lng' '\Languages\English.lng'
  rm -rf "$WORK/sound.exe" "$WORK/project"
}
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox Error "This installer is most probably corrupted (no language files detected inside)." error ok 20000
expect-peak-memory 200
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
