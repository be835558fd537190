# The full-screen style with the demo's gradient (dark blue at the top to
# black, horizontal stripes), its BKText and copyright line: the background
# window covers the screen under the wizard, which it owns.
source "$E2E/components_lib.sh"
make_installer() {
  demo_installer '/^\[LookAndFeel\]/,/^\[InstallerSettings\]/ s/^InstallerType = 0/InstallerType = 1/'
}
driver_commands() {
  cat <<CMDS
start $SETUP
wait-window "Language selection"
press-enter
wait-window class=QuorvantisBackground
wait-window class=QuorvantisWizard
expect-client-size 490 355
sleep 500
snap $(shots_folder)\\background-gradient.bmp
click 30
expect-msgbox "Please confirm" "Are you sure you want to stop the installation of Demo Product now? Press 'No' to continue or 'Yes' to end this program.<br><br>You can run this installer at a later time and continue the installation procedure." question yes,no
answer yes
wait-exit 20000
CMDS
}
