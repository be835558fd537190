# .NET 4.0 required, only the 4.0 Client Profile installed: the requirement
# is not met; after the message the web page opens in the user's browser
# (the stand-in, started in its own folder with the address unquoted).
make_installer() {
  source "$E2E/checks_lib.sh"
  new_project "$WORK/project" English.lng:English:1033
  script_set SystemRequirements DotNETVersion 6
  script_set SystemRequirements DotNETVisitWebpage 1
  script_set SystemRequirements DotNETWebpageAddress "http://example.com/dotnet?from=e2e"
  build_installer "$WORK/project" "$WORK/setup.exe"
  copy_browser
}
driver_commands() {
  source "$E2E/checks_lib.sh"
  reg_add 'HKLM\Software\Microsoft\NET Framework Setup\NDP\v4\Client' /v Install /t REG_DWORD /d 1
  register_browser
  cat <<CMDS
start $SETUP
expect-msgbox "Requirements not met" "We are sorry, this program requires the .NET Framework version 4.0 in order to run on your computer.<br><br>Please install it and retry the installation." warning ok
answer ok
wait-exit
glob-count $TEMP_MODULES 0
proc 0
expect-msgbox "Stand-in browser" "command: ""C:\e2e\e2ebrowser.exe"" http://example.com/dotnet?from=e2e<br>folder: C:\e2e" information ok
answer ok
CMDS
}
