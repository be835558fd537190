# A script without components, licence, information or start-menu group on
# an administrator's NT system: the pages 0, 4, 5, 7, 8, 9, 10, where page 7
# has no shortcut and is passed over both ways; Enter on page 4 with a
# folder on a drive that does not exist shows the folder message and stays;
# Finish ends the installer and removes the temporary module.
make_installer() { english_installer; }
driver_commands() {
  cat <<CMDS
start $SETUP
wait-window "E2E Product Setup"
expect-visible 50 1
expect-visible 28 0
expect-control 27 0
expect-control 25 0
expect-rect 26 10 310 * *
click 29
expect-visible 150 1
expect-visible 28 1
expect-text 156 "\\"
set-text 156 "Q:\\Nowhere\\"
press-key enter
expect-msgbox "Warning" "Please enter a full path in the following form: DriveLetter:\\DesiredPath\\<br><br>Example: C:\\App\\" warning ok
answer ok
wait-window "E2E Product Setup"
expect-visible 150 1
expect-text 156 "Q:\\Nowhere\\"
set-text 156 "C:\\E2E Product\\"
press-key enter
expect-visible 175 1
expect-visible 150 0
click 29
expect-visible 250 1
expect-visible 225 0
expect-text-contains 254 "Installation directory:<br>     C:\\E2E Product\\<br>"
expect-text-contains 254 "Start menu group:<br>     None<br>"
click 28
expect-visible 175 1
expect-visible 225 0
click 29
expect-visible 250 1
click 29
expect-visible 300 1
expect-control 303 0
expect-control 304 0
expect-visible 31 1
expect-visible 32 1
click 31
wait-exit 20000
glob-count $TEMP_MODULES 0
CMDS
}
