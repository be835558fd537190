# The finish page's ticked actions run in their order without waiting for
# the programs they start, an action whose path is empty is passed over
# although its box is ticked, and the web site opens in the user's browser
# (a stand-in that shows how it was started).
make_installer() {
  source "$E2E/checks_lib.sh"
  component_project "$WORK/project" 'C:\Product'
  sed 's/$/\r/' >> "$WORK/project/Script.qvs" <<'SCRIPT'

[InstallerSettings]
LaunchProgramCheckbox = 1
LaunchProgramProgramPath = C:\e2e\e2erecorder.exe
LaunchProgramCommandLine = first
LaunchProgramComponentID = 1
ViewDocumentationCheckbox = 1
ViewDocumentationProgramPath = C:\e2e\e2erecorder.exe
ViewDocumentationCommandLine = second
ViewDocumentationComponentID = 1
ViewReadmeCheckbox = 1
ViewReadmePath =
ViewReadmeComponentID = 1
VisitWebsiteCheckbox = 1
VisitWebsiteAddress = http://example.com/finish
SCRIPT
  build_installer "$WORK/project" "$WORK/setup.exe"
  cp "$BUILD/x64/tests/e2e/e2erecorder.exe" "$WORK/"
  copy_browser
}
driver_commands() {
  source "$E2E/checks_lib.sh"
  register_browser
  cat <<CMDS
setenv E2E_LINGER 5000
start $SETUP
$(walk_to_install)
wait-window "E2E Product Setup" 30000
expect-visible 300 1
expect-checked 304 1
expect-checked 305 1
expect-checked 306 1
expect-checked 308 1
click 31
proc 0
expect-msgbox "Stand-in browser" "command: ""C:\e2e\e2ebrowser.exe"" http://example.com/finish<br>folder: C:\e2e" information ok
answer ok
proc 1
wait-exit 4000
CMDS
}
check_result() {
  tr -d '\r' < "$PREFIX/drive_c/e2e/recorded.txt" | sort | cut -d' ' -f2- > "$WORK/recorded"
  printf '%s\n' 'command: "C:\e2e\e2erecorder.exe" first' 'command: "C:\e2e\e2erecorder.exe" second' |
    diff - "$WORK/recorded"
  echo "check: the two programs in order, started without waiting; the empty action skipped"
}
