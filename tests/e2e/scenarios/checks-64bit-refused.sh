# InstallerType 1 in SystemRequirements: the 64-bit system Wine reports is
# refused.
make_installer() {
  source "$E2E/checks_lib.sh"
  new_project "$WORK/project" English.lng:English:1033
  script_set SystemRequirements InstallerType 1
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox Information "We are sorry but this program cannot be installed on 64-bit operating systems." information ok
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
