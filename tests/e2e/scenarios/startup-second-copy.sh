# A second copy started while the first waits in the language dialog is
# turned away and leaves the first copy's temporary module alone; the first
# copy then goes on to its wizard and cleans up when cancelled.
make_installer() {
  language_project "$WORK/project" A-Deutsch.lng:Deutsch:1031 B-English.lng:English:1033
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
wait-window "Language selection"
glob-count $TEMP_MODULES 1
glob-save $TEMP_MODULES
start $SETUP
expect-msgbox Information "Another installation is already in progress. Please finish the active installation and run this installer again." information ok
glob-count $TEMP_MODULES 2
answer ok
wait-exit
glob-same $TEMP_MODULES
proc 1
expect-running 1
wait-window "Language selection"
expect-selected 203 text=English
click 204
CMDS
  leave_wizard English
}
