# Internet Explorer 7 required exactly, version 8 installed: not met. The
# visit flag is 0, so no page opens although a browser is registered.
make_installer() {
  source "$E2E/checks_lib.sh"
  new_project "$WORK/project" English.lng:English:1033
  script_set SystemRequirements IEVersion 4
  script_set SystemRequirements IEVisitWebpage 0
  script_set SystemRequirements IEWebpageAddress "http://example.com/ie"
  build_installer "$WORK/project" "$WORK/setup.exe"
  copy_browser
}
driver_commands() {
  source "$E2E/checks_lib.sh"
  reg_add 'HKLM\Software\Microsoft\Internet Explorer' /v Version /d 8.0.7601.17514
  register_browser
  cat <<CMDS
start $SETUP
expect-msgbox "Requirements not met" "We are sorry, this program requires Internet Explorer version 7 in order to run on your computer.<br><br>Please install it and retry the installation." warning ok
answer ok
wait-exit
glob-count $TEMP_MODULES 0
proc 0
expect-no-window "Stand-in browser" 10000
CMDS
}
