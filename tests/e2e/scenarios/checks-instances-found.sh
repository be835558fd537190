# A program holding a mutex and showing a window runs: both close items are
# found and named in one message, in script order; an exact title that
# differs and an absent mutex are not listed.
make_installer() {
  source "$E2E/checks_lib.sh"
  new_project "$WORK/project" English.lng:English:1033
  script_set SystemRequirements CheckForInstances 1
  script_lines "[CloseItemsInstaller]" "Items = 1,2,3,4" \
    "[1]" "ID = 1" "Type = 0" "MutexName = E2EHolderMutex" \
    "[2]" "ID = 2" "Type = 1" "WindowName = E2E Notes" "MatchExactly = 1" \
    "[3]" "ID = 3" "Type = 1" "WindowName = notes" "WindowClass = e2eholderclass" "MatchExactly = 0" \
    "[4]" "ID = 4" "Type = 0" "MutexName = E2EAbsentMutex"
  build_installer "$WORK/project" "$WORK/setup.exe"
  cp "$BUILD/x64/tests/e2e/e2eholder.exe" "$WORK/"
}
driver_commands() {
  cat <<CMDS
start C:\e2e\e2eholder.exe E2EHolderMutex "E2E Notes - draft.txt" E2EHolderClass
wait-window "E2E Notes - draft.txt"
start $SETUP
expect-msgbox "Active programs check" "Setup has detected active programs on your computer. Please close all active programs so Setup can update the relevant files.<br><br>Details:<br>Active mutex: E2EHolderMutex<br>Open window: notes<br>" warning ok
answer ok
wait-exit
glob-count $TEMP_MODULES 0
proc 1
expect-running 1
CMDS
}
