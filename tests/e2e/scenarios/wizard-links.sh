# The website link below the welcome page and a web address in the
# information text both open in the user's browser (a stand-in that shows
# the command it was given).
make_installer() {
  source "$E2E/checks_lib.sh"
  new_project "$WORK/project" English.lng:English:1033
  sed 's/$/\r/' >> "$WORK/project/Script.qvs" <<'SCRIPT'

[LookAndFeel]
ShowInformation = 1
ShowWebsiteLink = 1
SCRIPT
  script_set GeneralInformation ProgramWebsite "http://example.com/e2e-site"
  mkdir -p "$WORK/project/Information"
  printf 'http://example.com/e2e-info\r\nMore text.\r\n' > "$WORK/project/Information/Default.txt"
  build_installer "$WORK/project" "$WORK/setup.exe"
  copy_browser
}
driver_commands() {
  source "$E2E/checks_lib.sh"
  register_browser
  cat <<CMDS
start $SETUP
wait-window "E2E Product Setup"
expect-text 27 "http://example.com/e2e-site"
expect-rect 27 5 326 * 14
mouse-click 27
proc 0
expect-msgbox "Stand-in browser" "command: ""C:\e2e\e2ebrowser.exe"" http://example.com/e2e-site<br>folder: C:\e2e" information ok
answer ok
proc 3
wait-window "E2E Product Setup"
click 29
expect-visible 100 1
expect-visible 27 0
mouse-click 104 40 8
proc 0
expect-msgbox "Stand-in browser" "command: ""C:\e2e\e2ebrowser.exe"" http://example.com/e2e-info<br>folder: C:\e2e" information ok
answer ok
proc 3
wait-window "E2E Product Setup"
click 30
expect-msgbox "Please confirm" "Are you sure you want to stop the installation of E2E Product now? Press 'No' to continue or 'Yes' to end this program.<br><br>You can run this installer at a later time and continue the installation procedure." question yes,no
answer yes
wait-exit 20000
CMDS
}
