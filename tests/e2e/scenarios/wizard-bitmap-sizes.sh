# A vendor's header and wizard pictures of other sizes than their boxes
# (half and twice the expected measures) on a screen of 120 pixels per
# inch: both are stretched smoothly into their boxes scaled by 120 / 96
# (the header 625 x 75, the wizard picture 194 x 388), the header texts
# drawn on the stretched picture; a screenshot of both pages in
# out/e2e/wizard-bitmap-sizes/.
DPI=120
source "$E2E/dpi_lib.sh"
make_installer() {
  rm -rf "$WORK/project" && cp -r "$ROOT/examples/demo" "$WORK/project"
  convert "$ROOT/examples/demo/Header.bmp" -resize '250x30!' "BMP3:$WORK/project/Header.bmp"
  convert "$ROOT/examples/demo/Wizard.bmp" -resize '310x620!' "BMP3:$WORK/project/Wizard.bmp"
  build_installer "$WORK/project" "$WORK/setup.exe"
  mkdir -p "$(shots_dir)"
}
prepare_machine() { set_screen_dpi; }
driver_commands() {
  cat <<CMDS
start $SETUP
wait-window "Language selection"
click 204
wait-window "Demo Product 1.0 Setup"
expect-rect 51 0 0 $(scaled 155) $(scaled 310)
$(snap_as welcome)
click 29
expect-visible 75 1
expect-rect 76 0 0 $(scaled 500) $(scaled 60)
$(snap_as licence)
click 30
expect-msgbox "Please confirm" "Are you sure you want to stop the installation of Demo Product now? Press 'No' to continue or 'Yes' to end this program.<br><br>You can run this installer at a later time and continue the installation procedure." question yes,no
answer yes
wait-exit 20000
CMDS
}
check_result() { convert_shots; }
