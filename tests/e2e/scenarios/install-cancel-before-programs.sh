# Cancel confirmed while the first of two programs the script runs before
# the copy is still running: that program runs to its end, the second never
# starts, nothing is installed, and the finish page says so.
make_installer() {
  component_project "$WORK/project" 'C:\Product'
  {
    printf '\n[InstallerTasks]\nItems = 50,51,52\n\n'
    task 50 0 1 'ProgramPath=C:\e2e\e2erecorder.exe' 'CommandLine=first' RunMode=0 \
      ExecutionTime=0 WaitUntilQuit=1
    task 51 0 1 'ProgramPath=C:\e2e\e2erecorder.exe' 'CommandLine=second' RunMode=0 \
      ExecutionTime=0 WaitUntilQuit=1
    task 52 0 1 'ProgramPath=C:\e2e\e2erecorder.exe' 'CommandLine=after' RunMode=0 \
      ExecutionTime=1 WaitUntilQuit=1
  } | sed 's/$/\r/' >> "$WORK/project/Script.qvs"
  build_installer "$WORK/project" "$WORK/setup.exe"
  cp "$BUILD/x64/tests/e2e/e2erecorder.exe" "$WORK/"
}
driver_commands() {
  cat <<CMDS
setenv E2E_LINGER 3000
start $SETUP /LOG=C:\\e2e\\cancel.log
$(walk_to_install)
wait-file C:\\e2e\\recorded.txt
wait-window "E2E Product Setup"
click 30
expect-msgbox "Please confirm" "Are you sure you want to stop the installation of E2E Product now? Press 'No' to continue or 'Yes' to end this program.<br><br>You can run this installer at a later time and continue the installation procedure." question yes,no
answer yes
wait-window "E2E Product Setup" 30000
expect-visible 300 1
expect-text 309 "The installation was cancelled before the program could be installed. Press 'Finish' to exit this wizard."
click 31
wait-exit 20000
CMDS
}
check_result() {
  local c="$PREFIX/drive_c"
  tr -d '\r' < "$c/e2e/recorded.txt" | cut -d' ' -f2- > "$WORK/recorded"
  [ "$(cat "$WORK/recorded")" = 'command: "C:\e2e\e2erecorder.exe" first' ]
  grep -q 'Task 51 "Task 51": not started, the installation was cancelled' "$c/e2e/cancel.log"
  [ ! -e "$c/Product" ]
  echo "check: the running program finished, the next one never started, nothing installed"
}
