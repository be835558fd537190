# The demo walked with the keyboard alone, every key typed as a user types
# it: the language chosen with the arrows and Enter; the licence read and
# accepted with Tab and Space; in the tree the arrows move the selection
# (the description follows) and Space toggles a component as a click on
# its icon does; "just for me" chosen with the arrows, Tab reaching the
# group at its checked option; Enter on a focused Cancel and Esc both ask
# to cancel, and No leaves the focus where it was; Enter starts the
# installation from the review page; Esc on the finish page ends the
# installer without the ticked actions.
make_installer() {
  build_installer "$ROOT/examples/demo" "$WORK/setup.exe"
}
CANCEL_TEXT="Are you sure you want to stop the installation of Demo Product now? Press 'No' to continue or 'Yes' to end this program.<br><br>You can run this installer at a later time and continue the installation procedure."
driver_commands() {
  cat <<CMDS
start $SETUP
wait-window "Language selection"
expect-focus 203
expect-selected 203 text=English
type-key down
expect-selected 203 text=Deutsch
type-key up
expect-selected 203 text=English
type-key enter
wait-window "Demo Product 1.0 Setup"
expect-focus 29
type-key enter
expect-visible 75 1
expect-enabled 29 0
expect-focus 79
type-key tab
expect-focus 80
type-key space
expect-checked 80 1
expect-enabled 29 1
type-key enter
expect-visible 100 1
expect-focus 29
type-key enter
expect-visible 125 1
expect-focus 29
type-key tab
expect-focus 30
type-key tab
expect-focus 131
type-key tab
expect-focus 133
expect-tree-images 133 3,0,0,2,3,1
type-key home
type-key down
expect-text 135 "The Demo Product program, its readme and its licence. Always installed."
type-key space
expect-tree-images 133 3,0,0,2,3,1
type-key end
expect-text 135 "A command-line tool for converting Demo Product documents. Optional."
type-key space
expect-tree-images 133 3,0,0,3,3,3
expect-selected 131 1
type-key space
expect-tree-images 133 3,0,0,2,3,1
expect-selected 131 0
type-key space
expect-tree-images 133 3,0,0,3,3,3
type-key enter
expect-visible 150 1
expect-focus 29
type-key enter
expect-visible 175 1
expect-checked 180 1
type-key tab
expect-focus 30
type-key tab
expect-focus 180
type-key down
expect-focus 181
expect-checked 181 1
expect-checked 180 0
type-key tab
expect-focus 28
type-key tab shift
expect-focus 181
type-key enter
expect-visible 200 1
type-key enter
expect-visible 225 1
type-key enter
expect-visible 250 1
expect-text-contains 254 "Program will be installed only for the current user"
expect-text-contains 254 "Command-line tools"
type-key tab
expect-focus 30
type-key enter
expect-msgbox "Please confirm" "$CANCEL_TEXT" question yes,no
answer no
wait-window "Demo Product 1.0 Setup"
expect-visible 250 1
expect-focus 30
type-key escape
expect-msgbox "Please confirm" "$CANCEL_TEXT" question yes,no
answer no
wait-window "Demo Product 1.0 Setup"
expect-visible 250 1
type-key tab shift
expect-focus 29
type-key enter
wait-window "Demo Product 1.0 Setup" 30000
expect-visible 300 1
expect-focus 31
expect-checked 304 1
type-key escape
wait-exit 20000
proc 0
expect-no-window "Demo Product" 1500
expect-no-window class=Notepad 500
glob-count $TEMP_MODULES 0
CMDS
}
check_result() {
  # Installed, for the current user, with the tool the keys selected.
  [ -f "$PREFIX/drive_c/Program Files/Demo Product/Tools/DemoTool.exe" ]
}
