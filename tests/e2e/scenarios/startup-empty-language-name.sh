# The only language file has an empty name: no dialog, the "no name"
# message, exit code 0 and no temporary module left behind.
make_installer() {
  new_project "$WORK/project" Nameless.lng::1033
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox Error "Language file error (no name detected). Installation cannot continue." error ok
expect-not-seen "Language selection"
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
