# A script written from the reference alone, with the tasks a vendor most
# often gets wrong: a registry value whose key no task makes (the key is
# made for it, every level of it recorded), a file type whose verb is named
# for the menu ("Open with E2E Viewer"), which becomes the type's default
# (under a key name without blanks, which the shell would take for a list
# of verbs), so that opening a document of the type as a double click does
# (the shell with no verb named: the type's default one) starts the program
# with the document, and a file type with no verb at all, which gets
# "open", so that `wine start` (which always asks for "open") opens its
# document. Installed silently, the log calls all three done; the
# uninstaller then leaves the machine as it was.
make_installer() {
  source "$E2E/checks_lib.sh"
  component_project "$WORK/project" 'C:\Vendor App'
  cp "$BUILD/x64/tests/e2e/e2erecorder.exe" "$WORK/project/Files/1/viewer.exe"
  printf 'a document\r\n' > "$WORK/project/Files/1/letter.e2edoc"
  printf 'a note\r\n' > "$WORK/project/Files/1/memo.e2enote"
  {
    printf '\n[InstallerTasks]\nItems = 60,61,62\n\n'
    task 60 2 1 BaseKey=1 'KeyPath=Software\E2E Vendor\Viewer\Settings' ValueName=Folder \
      'ValueData=<programname> in C:\Vendor App' ValueType=0
    task 61 5 1 'ExePath=C:\Vendor App\viewer.exe' 'ExplorerDescription=Open with E2E Viewer' \
      Extension=.e2edoc 'Description=E2E document' IconIndex=0
    task 62 5 1 'ExePath=C:\Vendor App\viewer.exe' ExplorerDescription= Extension=e2enote
  } | sed 's/$/\r/' >> "$WORK/project/Script.qvs"
  script_lines "[UninstallerSettings]" "CreateUninstaller = 1" "CreateAddRemoveEntry = 1" \
    "AddRemoveEntryName = E2E Vendor App"
  "$BUILD/host/builder/qvsbuild" check --strict "$WORK/project"
  build_installer "$WORK/project" "$WORK/setup.exe"
}
prepare_machine() {
  source "$E2E/uninstall_lib.sh"
  snapshot before
}
driver_commands() {
  cat <<CMDS
start $SETUP /S /LOG=C:\\e2e\\install.log
wait-exit 60000 0
file-exists "C:\\Vendor App\\Uninst0.exe" 1
open-document "C:\\Vendor App\\letter.e2edoc"
wait-exit 20000 0
CMDS
}
check_result() {
  source "$E2E/uninstall_lib.sh"
  local log="$PREFIX/drive_c/e2e/install.log" recorded="$PREFIX/drive_c/e2e/recorded.txt"
  grep -q 'Task 60 "Task 60" (type 2): done, recorded for the uninstaller' "$log"
  grep -q 'Task 61 "Task 61" (type 5): done, recorded for the uninstaller' "$log"
  grep -q 'Task 62 "Task 62" (type 5): done, recorded for the uninstaller' "$log"
  "$wine" reg query 'HKCU\Software\E2E Vendor\Viewer\Settings' /v Folder | tr -d '\r' |
    grep -q 'REG_SZ *E2E Product in C:\\Vendor App$'
  "$wine" reg query 'HKCR\e2edoc_auto_file\shell' /ve | tr -d '\r' | grep -q 'OpenwithE2EViewer$'
  "$wine" reg query 'HKCR\e2edoc_auto_file\shell\OpenwithE2EViewer' /ve | tr -d '\r' |
    grep -q 'Open with E2E Viewer$'
  echo "check: the value in the key made for it, the verb the type's default"

  tr -d '\r' < "$recorded" | grep -q 'viewer.exe" "C:\\Vendor App\\letter.e2edoc"'
  echo "check: opening the document started the program with it"

  "$wine" reg query 'HKCR\e2enote_auto_file\shell' /ve | tr -d '\r' | grep -q 'REG_SZ *open$'
  "$wine" start /wait 'C:\Vendor App\memo.e2enote'
  tr -d '\r' < "$recorded" | grep -q 'viewer.exe" "C:\\Vendor App\\memo.e2enote"'
  echo "check: a type without a verb gets open, and wine start opens its document with the program"

  "$wine" 'C:\Vendor App\Uninst0.exe' /S
  for _ in $(seq 100); do [ ! -e "$PREFIX/drive_c/Vendor App" ] && break; sleep 0.2; done
  same_as_before '^file\+ e2e/(install\.log|recorded\.txt)$'
  echo "check: uninstalled, the machine is as before (the made keys and the verb gone too)"
}
