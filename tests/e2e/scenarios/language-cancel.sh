# Cancel asks; No returns to the dialog; the close box, Esc and Alt+F4 ask
# as Cancel does; Yes ends the installer through the clean exit.
make_installer() {
  new_project "$WORK/project" A-English.lng:English:1033 B-Deutsch.lng:Deutsch:1031
  build_installer "$WORK/project" "$WORK/setup.exe"
}
QUESTION="Are you sure you want to stop the installation now? Press 'No' to continue or 'Yes' to end this program. You can run this installer at a later time and continue the installation procedure."
driver_commands() {
  cat <<CMDS
start $SETUP
wait-window "Language selection"
click 205
expect-msgbox "Please confirm" "$QUESTION" question yes,no
answer no
wait-window "Language selection"
close-window
expect-msgbox "Please confirm" "$QUESTION" question yes,no
answer no
wait-window "Language selection"
expect-focus 205
type-key escape
expect-msgbox "Please confirm" "$QUESTION" question yes,no
answer no
wait-window "Language selection"
expect-running 1
type-key f4 alt
expect-msgbox "Please confirm" "$QUESTION" question yes,no
answer yes
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
