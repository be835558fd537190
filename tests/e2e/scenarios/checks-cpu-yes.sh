# A minimum processor speed far above any machine: the minimum report asks
# (product placeholders filled in); Yes goes on, without the recommended
# report, to the next check.
make_installer() {
  source "$E2E/checks_lib.sh"
  new_project "$WORK/project" English.lng:English:1033
  script_set SystemRequirements CheckSysRequirements 1
  script_set SystemRequirements CheckCPUSpeed 1
  script_set SystemRequirements CPUSpeedMin 1000000
  script_set SystemRequirements CPUSpeedRec 2000000
  script_set SystemRequirements FailMinimumReqs 0
  add_missing_requirement
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  source "$E2E/checks_lib.sh"
  cat <<CMDS
start $SETUP
expect-msgbox Information "Your computer doesn't seem to cover the minimum system requirements needed to run E2E Product correctly:<br><br>- You need a processor running at a minimum of 1000000 MHz (2000000 MHz recommended).<br><br>Note that the performance and stability of E2E Product might be severely affected. Would you like to continue the installation?" warning yes,no
answer yes
expect-msgbox "Dependency check" "$LATER_REPORT" warning ok
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
