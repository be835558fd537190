# .NET 2.0 or later required and the full 4.0 Framework installed: the
# check passes silently and the installer goes on.
make_installer() {
  source "$E2E/checks_lib.sh"
  new_project "$WORK/project" English.lng:English:1033
  script_set SystemRequirements DotNETVersion 10
  script_set SystemRequirements DotNETVisitWebpage 1
  script_set SystemRequirements DotNETWebpageAddress "http://example.com/dotnet"
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  source "$E2E/checks_lib.sh"
  reg_add 'HKLM\Software\Microsoft\NET Framework Setup\NDP\v4\Full' /v Install /t REG_DWORD /d 1
  cat <<CMDS
start $SETUP
CMDS
  past_the_checks
  cat <<CMDS
expect-not-seen "Requirements not met"
CMDS
}
