# The script's tasks around the files: a program run before the copy (it
# finds no product file yet) and one after it (it finds them), a registry
# key and value, a folder made, a folder deleted with its contents (a link
# inside it is removed as a link: its target survives), a file copied and a
# file deleted.
make_installer() {
  component_project "$WORK/project" 'C:\Product'
  {
    printf '\n[InstallerTasks]\nItems = 50,51,52,53,54,55,56,57\n\n'
    task 50 0 1 'ProgramPath=C:\e2e\e2erecorder.exe' 'CommandLine=before' RunMode=0 \
      ExecutionTime=0 WaitUntilQuit=1
    task 51 0 1 'ProgramPath=C:\e2e\e2erecorder.exe' 'CommandLine=after "the files"' RunMode=0 \
      ExecutionTime=1 WaitUntilQuit=1
    task 52 1 1 BaseKey=1 'KeyPath=Software\E2E Tasks\Created'
    task 53 2 1 BaseKey=1 'KeyPath=Software\E2E Tasks\Created' ValueName=Folder \
      'ValueData=C:\Product' ValueType=0
    task 54 11 1 'Address=C:\Product\made'
    task 55 12 1 'Address=C:\Doomed'
    task 56 13 1 'SourceFile=C:\Product\readme.txt' 'DestinationFile=C:\Product\copy.txt'
    task 57 14 1 'Address=C:\Old\obsolete.txt'
  } | sed 's/$/\r/' >> "$WORK/project/Script.qvs"
  build_installer "$WORK/project" "$WORK/setup.exe"
  cp "$BUILD/x64/tests/e2e/e2erecorder.exe" "$WORK/"
}
prepare_machine() {
  local c="$PREFIX/drive_c"
  mkdir -p "$c/Doomed/inner" "$c/Keep" "$c/Old"
  echo doomed > "$c/Doomed/inner/file.txt"
  echo kept > "$c/Keep/keep.txt"
  ln -s ../Keep "$c/Doomed/link"
  echo obsolete > "$c/Old/obsolete.txt"
}
driver_commands() {
  cat <<CMDS
setenv E2E_PROBE C:\\Product\\readme.txt
start $SETUP
$(walk_to_install)
wait-window "E2E Product Setup" 30000
expect-visible 300 1
click 31
wait-exit 20000
CMDS
}
check_result() {
  local c="$PREFIX/drive_c"
  tr -d '\r' < "$c/e2e/recorded.txt" | sort | cut -d' ' -f2- > "$WORK/recorded"
  [ "$(wc -l < "$WORK/recorded")" = 2 ]
  grep -q '^command: "C:\\e2e\\e2erecorder.exe" before | probe: absent$' "$WORK/recorded"
  grep -q '^command: "C:\\e2e\\e2erecorder.exe" after "the files" | probe: present$' "$WORK/recorded"
  head -n 1 "$WORK/recorded" | grep -q before
  "$wine" reg query 'HKCU\Software\E2E Tasks\Created' /v Folder | tr -d '\r' | grep -q 'REG_SZ *C:\\Product$'
  [ -d "$c/Product/made" ]
  [ ! -e "$c/Doomed/inner" ] && [ "$(cat "$c/Keep/keep.txt")" = kept ]
  cmp "$c/Product/readme.txt" "$c/Product/copy.txt"
  [ ! -e "$c/Old/obsolete.txt" ]
  echo "check: both programs in their phase, registry, folders and files as the tasks said"
}
