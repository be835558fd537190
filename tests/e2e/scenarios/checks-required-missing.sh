# A required item missing a file, a key and a value (a present file and an
# item meant for other systems pass unnoticed): one message lists the three
# in order, key and value in display notation.
make_installer() {
  source "$E2E/checks_lib.sh"
  new_project "$WORK/project" English.lng:English:1033
  script_set SystemRequirements RequireExistingItems 1
  script_lines "[RequireExistingItems]" "Items = Elsewhere,Runtime" \
    "[Elsewhere]" "ProgramName = XP Only" "WinXP = 1" "ID = 10" "Files = ElsewhereFile" \
    "[ElsewhereFile]" "ID = 11" 'FilePath = C:\e2e\never.dll' \
    "[Runtime]" "ProgramName = E2E Runtime" "Win7 = 1" "WinServer2008 = 1" "ID = 20" "Files = Present,Missing" \
    "Keys = Key" "Values = Value" \
    "[Present]" "ID = 21" 'FilePath = C:\e2e\setup.exe' \
    "[Missing]" "ID = 22" 'FilePath = C:\e2e\missing.dll' "CheckVersion = 1" "MajorHi = 1" \
    "[Key]" "ID = 23" "MainKey = 2" 'SubKey = Software\E2E\Missing\' \
    "[Value]" "ID = 24" "MainKey = 1" 'SubKey = Software\E2E' "ValueName = Path"
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox "Dependency check" "Setup cannot continue because it could not find the following program / component on your computer: ""E2E Runtime"".<br><br>Details:<br>File not found: C:\e2e\missing.dll<br>Missing registry key: HKEY_LOCAL_MACHINE\Software\E2E\Missing\<br>Missing registry value: HKEY_CURRENT_USER\Software\E2E -> Path<br>" warning ok
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
