# Internet Explorer 4 or later required and 9.11 installed (only the first
# character counts): the check passes and the installer goes on.
make_installer() {
  source "$E2E/checks_lib.sh"
  new_project "$WORK/project" English.lng:English:1033
  script_set SystemRequirements IEVersion 7
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  source "$E2E/checks_lib.sh"
  reg_add 'HKLM\Software\Microsoft\Internet Explorer' /v Version /d 9.11.9600.18231
  cat <<CMDS
start $SETUP
CMDS
  past_the_checks
  cat <<CMDS
expect-not-seen "Requirements not met"
CMDS
}
