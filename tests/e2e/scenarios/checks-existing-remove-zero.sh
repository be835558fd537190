# The same earlier version, listed with Remove 0, and a second item that
# differs only in letter case: nothing blocks and the installer goes on.
make_installer() {
  source "$E2E/checks_lib.sh"
  new_project "$WORK/project" English.lng:English:1033
  script_lines "[DetectExistingInstallations]" "PromptUninstallExisting = 1" "Items = Old,Case" \
    "[Old]" "ProgramName = E2E Old Product" "Remove = 0" \
    "[Case]" "ProgramName = e2e old product" "Remove = 1"
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  source "$E2E/checks_lib.sh"
  local key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\E2EOld'
  reg_add "$key" /v DisplayName /d "E2E Old Product"
  reg_add "$key" /v DisplayVersion /d 1.5
  cat <<CMDS
start $SETUP
CMDS
  past_the_checks
  cat <<CMDS
expect-not-seen "Existing installation check"
CMDS
}
