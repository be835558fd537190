# The full-screen style with the background picture stretched over the
# screen, with BKText and the copyright line drawn on it.
source "$E2E/components_lib.sh"
make_installer() {
  demo_installer '/^\[LookAndFeel\]/,/^\[InstallerSettings\]/ s/^InstallerType = 0/InstallerType = 1/' \
    's/^BKUseGradient = 1/BKUseGradient = 0/' 's/^BKUsePicture = 0/BKUsePicture = 1/'
}
driver_commands() {
  cat <<CMDS
start $SETUP
wait-window "Language selection"
press-enter
wait-window class=QuorvantisBackground
wait-window class=QuorvantisWizard
sleep 500
snap $(shots_folder)\\background-picture.bmp
click 30
expect-msgbox "Please confirm" "Are you sure you want to stop the installation of Demo Product now? Press 'No' to continue or 'Yes' to end this program.<br><br>You can run this installer at a later time and continue the installation procedure." question yes,no
answer yes
wait-exit 20000
CMDS
}
