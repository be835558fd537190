# An earlier version registered for the current user, listed with Remove 1:
# the installer stops and shows the registered version.
make_installer() {
  source "$E2E/checks_lib.sh"
  new_project "$WORK/project" English.lng:English:1033
  script_lines "[DetectExistingInstallations]" "PromptUninstallExisting = 1" "Items = Old" \
    "[Old]" "ProgramName = E2E Old Product" "ProgramVersion =" "Remove = 1"
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  source "$E2E/checks_lib.sh"
  local key='HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\E2EOld'
  reg_add "$key" /v DisplayName /d "E2E Old Product"
  reg_add "$key" /v DisplayVersion /d 1.5
  cat <<CMDS
start $SETUP
expect-msgbox "Existing installation check" "Setup cannot continue because it has detected another version of E2E Product installed on your computer (1.5). Please uninstall the current version of the program and run Setup again." warning ok
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
