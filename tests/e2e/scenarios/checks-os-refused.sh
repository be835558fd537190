# Wine reports Windows Vista and the script does not allow it: the
# requirement check refuses with the language's text, unchanged.
WINDOWS_VERSION=vista
make_installer() {
  source "$E2E/checks_lib.sh"
  new_project "$WORK/project" English.lng:English:1033
  script_set SystemRequirements WinVista 0
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox Information "We are sorry, this program cannot be installed on the operating system you use." information ok
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
