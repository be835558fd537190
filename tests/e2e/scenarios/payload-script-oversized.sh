# A 64 MiB script, far over the installer's limit (the builder refuses it;
# here a product file takes the script's name after the build). Start-up
# once spent gigabytes and half a minute parsing it before any window; now
# the script counts as damaged and the message comes at once, in little
# memory.
make_installer() {
  new_project "$WORK/project" English.lng:English:1033
  oversized_text "$WORK/project/Files/1/oversized.qvs" "$WORK/project/Script.qvs"
  build_installer "$WORK/project" "$WORK/sound.exe"
  surgery "$WORK/sound.exe" "$WORK/setup.exe" move-entry '\oversized.qvs' '\Config\Script.qvs'
  rm -rf "$WORK/sound.exe" "$WORK/project"
}
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox Error "This installer is corrupt. Please obtain another copy and retry installation." error ok 20000
expect-peak-memory 200
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
