# With the restart box asked for, it is the only finish box, whatever the
# other keys say. Before the installation the title bar's close box asks
# the cancel question like Cancel does, and No keeps the wizard; on the
# finish page it ends the installer at once, as Finish would but without
# the restart, since there is nothing left to cancel.
make_installer() {
  new_project "$WORK/project" English.lng:English:1033
  sed 's/$/\r/' >> "$WORK/project/Script.qvs" <<'SCRIPT'

[InstallerSettings]
ShowRestartComputerCheckbox = 1
LaunchProgramCheckbox = 1
ViewReadmeCheckbox = 1
VisitWebsiteCheckbox = 1
SCRIPT
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
wait-window "E2E Product Setup"
click 30
expect-msgbox "Please confirm" "Are you sure you want to stop the installation of E2E Product now? Press 'No' to continue or 'Yes' to end this program.<br><br>You can run this installer at a later time and continue the installation procedure." question yes,no
answer no
wait-window "E2E Product Setup"
expect-running 1
click 29
set-text 156 "C:\\E2E\\"
close-window
expect-msgbox "Please confirm" "Are you sure you want to stop the installation of E2E Product now? Press 'No' to continue or 'Yes' to end this program.<br><br>You can run this installer at a later time and continue the installation procedure." question yes,no
answer no
wait-window "E2E Product Setup"
expect-visible 150 1
click 29
click 29
click 29
expect-visible 300 1
expect-visible 303 1
expect-checked 303 1
expect-text 303 "Restart computer now (recommended)"
expect-rect 303 165 110 315 15
expect-control 304 0
expect-control 306 0
expect-control 308 0
close-window
expect-no-window "Please confirm" 500
wait-exit 20000
glob-count $TEMP_MODULES 0
CMDS
}
