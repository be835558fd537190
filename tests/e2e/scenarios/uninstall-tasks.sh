# A product whose tasks change every kind of thing the uninstaller undoes
# (keys made with the keys above them, values written over earlier ones of
# another type, associations new and over an earlier one, a DLL whose
# registration leaves a trace, PATH extended, a new variable, INI groups
# and values, a font, links), installed silently, then used (it leaves a
# key and a cache file behind), then uninstalled through the uninstaller's
# windows while one of its files is held open. The uninstaller runs the
# vendor's tasks (a program, the runtime key, the cache folder with its
# contents), undoes everything, leaves the held file to the restart and
# asks for it. Afterwards the machine is as it was before the installation
# (PATH exactly), but for the font, the held file and its folder, and the
# vendor program's trace.
make_installer() {
  source "$E2E/checks_lib.sh"
  component_project "$WORK/project" 'C:\QvsE2E'
  local files=$WORK/project/Files/1
  cp "$BUILD/x64/tests/e2e/e2erecorder.exe" "$files/app.exe"
  cp "$BUILD/x64/tests/wine/registration_probe.dll" "$files/probe.dll"
  # An outline font: the system refuses Wine's bitmap-only ones (courier.ttf).
  cp /usr/share/wine/fonts/symbol.ttf "$files/QvsE2EFont.ttf"
  printf 'held\r\n' > "$files/held.txt"
  local all="Win95 = 1|WinNT4 = 1|Win98 = 1|WinMe = 1|Win2000 = 1|WinXP = 1|WinServer2003 = 1|WinVista = 1|WinServer2008 = 1|Win7 = 1|ComponentID = 1"
  task() {  # task ID TYPE KEY=VALUE...
    local id=$1 type=$2 line
    shift 2
    script_lines "[$id]" "ID = $id" "Type = $type"
    IFS='|' read -ra line <<<"$all"
    script_lines "${line[@]}" "$@"
  }
  script_lines "[InstallerTasks]" "Items = 101,102,103,104,105,106,107,108,109,110,111,112,113,114,115,116,117"
  task 101 1 "BaseKey = 1" 'KeyPath = Software\QvsE2E\Keys\Deep'
  task 102 2 "BaseKey = 1" 'KeyPath = Software\QvsE2E\Keys\Deep' "ValueName = Text" "ValueData = <programname>" "ValueType = 0"
  task 103 2 "BaseKey = 1" 'KeyPath = Software\QvsE2EPre' "ValueName = Existing" "ValueData = after" "ValueType = 0"
  task 104 2 "BaseKey = 1" 'KeyPath = Software\QvsE2EPre' "ValueName = Bin" "ValueData = 7" "ValueType = 1"
  task 105 1 "BaseKey = 1" 'KeyPath = Software\QvsE2EPre'
  task 106 5 'ExePath = C:\QvsE2E\app.exe' "Extension = qvse2e" "Description = E2E Document" "ExplorerDescription = open" "CommandLine =" "Icon =" "IconIndex = 0"
  task 107 5 'ExePath = C:\QvsE2E\app.exe' "Extension = .qvsold" "Description =" "ExplorerDescription = open" "CommandLine =" "Icon =" "IconIndex = 0"
  task 108 6 'DllPath = C:\QvsE2E\probe.dll'
  task 109 7 "VariableName = PATH" 'VariableData = %SystemRoot%\system32;%SystemRoot%;C:\Before;C:\QvsE2E'
  task 110 7 "VariableName = QVS_E2E_HOME" 'VariableData = C:\QvsE2E'
  task 111 8 'FontPath = C:\QvsE2E\QvsE2EFont.ttf'
  task 112 9 'IniPath = C:\QvsE2E\settings.ini' "GroupName = Fresh"
  task 113 10 'IniPath = C:\QvsE2E\settings.ini' "Group = Values" "ValueName = A" "ValueData = 1"
  task 114 10 'IniPath = C:\Data\app.ini' "Group = Main" "ValueName = Key" "ValueData = new"
  task 115 11 'Address = C:\QvsE2E\Cache'
  task 116 3 'OutputPath = <startprograms>\E2E App' 'FilePath = C:\QvsE2E\app.exe' "IconPath =" "IconIndex = 0" "CommandLine =" "StartIn =" "Comment ="
  task 117 4 'LinkPath = C:\QvsE2E\Site' "WebAddress = http://example.com/"
  script_lines "[UninstallerSettings]" "CreateUninstaller = 1" "CreateAddRemoveEntry = 1" \
    "AddRemoveEntryName = E2E Product" "UninstRestartPC = 0" "CheckForInstances = 0" \
    "[UninstallerTasks]" "Items = 201,202,203"
  task 201 0 'ProgramPath = C:\QvsE2E\app.exe' "CommandLine = cleanup" "RunMode = 0" "ExecutionTime = 0" "RunHidden = 0" "WaitUntilQuit = 1"
  task 202 1 "BaseKey = 1" 'Key = Software\QvsE2E\Runtime'
  task 203 5 'Address = C:\QvsE2E\Cache'
  build_installer "$WORK/project" "$WORK/setup.exe"
  cp "$BUILD/x64/tests/e2e/e2eholder.exe" "$WORK/"
}
prepare_machine() {
  source "$E2E/uninstall_lib.sh"
  local environment='HKLM\System\CurrentControlSet\Control\Session Manager\Environment'
  "$wine" reg add "$environment" /v PATH /t REG_EXPAND_SZ /d '%SystemRoot%\system32;%SystemRoot%;C:\Before' /f
  "$wine" reg add 'HKCU\Software\QvsE2EPre' /v Existing /d before /f
  "$wine" reg add 'HKCU\Software\QvsE2EPre' /v Bin /t REG_BINARY /d 0102ab /f
  "$wine" reg add 'HKCR\.qvsold' /ve /d OldApp.Document /f
  mkdir -p "$PREFIX/drive_c/Data"
  printf '[Main]\r\nKey=old\r\nOther=kept\r\n' > "$PREFIX/drive_c/Data/app.ini"
  environment_value PATH > "$WORK/path-before"
  snapshot before
}
driver_commands() {
  cat <<CMDS
start $SETUP /S
wait-exit 60000
file-exists C:\\QvsE2E\\Uninst0.dat 1
file-exists C:\\QvsE2E\\Cache 1
start C:\\windows\\system32\\reg.exe export "HKLM\\System\\CurrentControlSet\\Control\\Session Manager\\Environment" C:\\e2e\\installed-environment.reg
wait-exit 20000
start C:\\windows\\system32\\reg.exe export HKCU\\Software\\QvsTest C:\\e2e\\installed-probe.reg
wait-exit 20000
start C:\\windows\\system32\\reg.exe export HKCR\\.qvsold C:\\e2e\\installed-qvsold.reg
wait-exit 20000
start C:\\windows\\system32\\cmd.exe /c copy C:\\QvsE2E\\Uninst0.dat C:\\e2e\\installed.dat
wait-exit 20000
start C:\\windows\\system32\\reg.exe add HKCU\\Software\\QvsE2E\\Runtime /v Seen /d 1 /f
wait-exit 20000
start C:\\windows\\system32\\cmd.exe /c echo cache> C:\\QvsE2E\\Cache\\runtime.dat
wait-exit 20000
start C:\\e2e\\e2eholder.exe E2EHeld "E2E Holder" E2EHolderClass C:\\QvsE2E\\held.txt
wait-window "E2E Holder"
start C:\\QvsE2E\\Uninst0.exe
proc 0
expect-msgbox "Uninstall" "Are you sure you want to uninstall E2E Product?" question yes,no
answer yes
expect-msgbox "Information" "The program was successfully uninstalled from your computer." information ok
answer ok
expect-msgbox "Reboot needed" "In order to finish the uninstallation your computer must be restarted. Please save all your work and press 'Yes' to reboot now or press 'No' if you plan to manually reboot later." question yes,no
answer no
proc 9
wait-exit 30000
start C:\\windows\\system32\\reg.exe export "HKLM\\System\\CurrentControlSet\\Control\\Session Manager" C:\\e2e\\pending.reg
wait-exit 20000
file-exists C:\\QvsE2E\\Uninst0.exe 0
file-exists C:\\QvsE2E\\held.txt 1
proc 8
kill
CMDS
}
check_result() {
  source "$E2E/uninstall_lib.sh"
  # The installation did change what the uninstallation put back.
  exported_value "$PREFIX/drive_c/e2e/installed-environment.reg" PATH | grep -q 'C:\\Before;C:\\QvsE2E$'
  iconv -f UTF-16LE -t UTF-8 "$PREFIX/drive_c/e2e/installed-probe.reg" | grep -q '"Registered"=dword:00000001'
  [ "$(exported_value "$PREFIX/drive_c/e2e/installed-qvsold.reg" @)" = qvsold_auto_file ]
  local done_types
  done_types=$(sed -n '/^\[DoneTasks\]/,/^\[UninstallerTasks\]/p' "$PREFIX/drive_c/e2e/installed.dat" |
    sed -n 's/^Type = \([0-9]*\)\r$/\1/p' | sort -u | tr -d '\n')
  [ "$done_types" = 0123456 ]
  echo "check: the installation recorded changes of every done type ($done_types)"
  [ "$(environment_value PATH)" = "$(cat "$WORK/path-before")" ]
  echo "check: PATH is back exactly: $(cat "$WORK/path-before")"
  grep -q 'app.exe" cleanup' "$PREFIX/drive_c/e2e/recorded.txt"
  echo "check: the vendor's program ran"
  exported_value "$PREFIX/drive_c/e2e/pending.reg" PendingFileRenameOperations |
    grep -qi 'QvsE2E\\held.txt'
  echo "check: the held file is left to the restart"
  # The font was taken and named below the NT family's key; it stays.
  "$wine" reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v QvsE2EFont |
    tr -d '\r' | grep -q 'REG_SZ *QvsE2EFont\.ttf$'
  echo "check: the font is installed"
  same_as_before '^file\+ e2e/(recorded\.txt|installed\.dat|installed-(environment|probe|qvsold)\.reg|pending\.reg)$' \
    'qvse2efont' '^file\+ qvse2e/held\.txt$' '^folder\+ qvse2e$'
  echo "check: nothing else differs"
}
