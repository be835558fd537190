# The memory minimum is met but the recommendation (100 TB) is not: the
# recommended report asks, and No ends the installer before any later
# check.
make_installer() {
  source "$E2E/checks_lib.sh"
  new_project "$WORK/project" English.lng:English:1033
  script_set SystemRequirements CheckSysRequirements 1
  script_set SystemRequirements CheckMemSize 1
  script_set SystemRequirements MemSizeMin 1
  script_set SystemRequirements MemSizeRec 100000000
  script_set SystemRequirements FailRecommendedReqs 0
  add_missing_requirement
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox Information "Your computer doesn't seem to cover the recommended system requirements needed to run E2E Product correctly:<br><br>- You need a minimum RAM size of 1 MB (100000000 MB recommended)<br><br>Note that the performance and stability of E2E Product might be severely affected. Would you like to continue the installation?" warning yes,no
answer no
wait-exit
expect-not-seen "Dependency check"
glob-count $TEMP_MODULES 0
CMDS
}
