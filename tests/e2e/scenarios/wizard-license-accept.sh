# The licence page: Next follows the acceptance box at once, Enter does
# nothing while the box is clear, and the box keeps its state when the user
# goes back and forth.
make_installer() {
  new_project "$WORK/project" English.lng:English:1033
  printf '\r\n[LookAndFeel]\r\nShowLicense = 1\r\n' >> "$WORK/project/Script.qvs"
  mkdir -p "$WORK/project/License"
  printf 'Licence of the E2E product.\r\nSee http://www.example.com/licence for more.\r\n' \
    > "$WORK/project/License/Default.txt"
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
wait-window "E2E Product Setup"
click 29
expect-visible 75 1
expect-text-contains 79 "Licence of the E2E product."
expect-checked 80 0
expect-enabled 29 0
press-key enter
sleep 300
expect-visible 75 1
set-check 80 1
expect-enabled 29 1
set-check 80 0
expect-enabled 29 0
set-check 80 1
click 29
expect-visible 150 1
expect-enabled 29 1
click 28
expect-visible 75 1
expect-checked 80 1
expect-enabled 29 1
click 28
expect-visible 50 1
expect-enabled 29 1
click 29
expect-visible 75 1
expect-checked 80 1
expect-enabled 29 1
set-check 80 0
click 28
expect-visible 50 1
expect-enabled 29 1
click 29
expect-visible 75 1
expect-enabled 29 0
click 30
expect-msgbox "Please confirm" "Are you sure you want to stop the installation of E2E Product now? Press 'No' to continue or 'Yes' to end this program.<br><br>You can run this installer at a later time and continue the installation procedure." question yes,no
answer yes
wait-exit 20000
glob-count $TEMP_MODULES 0
CMDS
}
