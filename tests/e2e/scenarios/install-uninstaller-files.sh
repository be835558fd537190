# What an installation leaves for its uninstaller, installed twice
# silently: once for the current user into a folder that already holds an
# Uninst0.exe of someone else's (ours becomes Uninst1, the other stays
# untouched), once for all users elsewhere with both components. Each time
# the uninstaller is the builder's image followed by the administrator
# flag, the data file reads line by line as written out below, and the
# Add/Remove entry stands below the root its AddRemoveForAllUsers names.
# A registry value for a key no task makes gets its key made first, each
# level it made recorded (so the uninstaller removes it again). The
# UninstallString is quoted where the path holds a blank. The uninstallers,
# which ask for administrator rights, refuse to work on files that other
# users could change (under Wine: any file), silently with 1603 or with a
# message.
make_installer() {
  component_project "$WORK/project" 'C:\QvsE2E'
  local script=$WORK/project/Script.qvs
  sed -i 's/^IsPrincipal = 1\r$/IsPrincipal = 1\r\nPathVariable = <mainfolder>\r/' "$script"
  mkdir -p "$WORK/project/Files/2"
  printf 'extra\r\n' > "$WORK/project/Files/2/extra.txt"
  sed -i 's/^Items = 1\r$/Items = 1,2\r/' "$script"
  {
    printf '\n[2]\nID = 2\nCategoryID = 10\nInternalName = Extras\nInstallationPath = <mainfolder>\\Extras\nPathVariable = <extras>\n\n'
    printf '[InstallerTasks]\nItems = 49,50,51\n\n'
    task 49 1 1 BaseKey=1 'KeyPath=Software\E2E Output'
    task 50 2 1 BaseKey=1 'KeyPath=Software\E2E Output' ValueName=Folder 'ValueData=<mainfolder>' ValueType=0
    task 51 2 1 BaseKey=1 'KeyPath=Software\E2E Nobody Made' ValueName=Lost ValueData=1 ValueType=0
    printf '[UninstallerSettings]\nCreateUninstaller = 1\nCreateAddRemoveEntry = 1\n'
    printf 'AddRemoveEntryName = <programname> Entry\nUninstRestartPC = 1\nCheckForInstances = 1\n'
    printf 'CustomUninstallerIconIndex = 2\n\n'
    printf '[CloseItemsUninstaller]\nItems = 4\n\n[4]\nID = 4\nType = 0\nMutexName = E2EProductRunning\n\n'
    printf '[UninstallerTasks]\nItems = 30,31\n\n'
    task 30 1 1 BaseKey=1 'Key=Software\E2E Runtime'
    task 31 5 2 'Address=<extras>\cache'
    printf '[SkipUninstallFiles]\nf1 = <mainfolder>\\settings.ini\n'
  } | sed 's/$/\r/' >> "$script"
  build_installer "$WORK/project" "$WORK/setup.exe" --require-admin
}
prepare_machine() {
  mkdir -p "$PREFIX/drive_c/QvsE2E"
  printf 'not ours' > "$PREFIX/drive_c/QvsE2E/Uninst0.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP /S /CURRENTUSER /COMPONENTS=1 /LOG=C:\\e2e\\install1.log /D=C:\\QvsE2E
wait-exit 60000 0
start $SETUP /S /ALLUSERS /COMPONENTS=1,2 /D=C:\\Qvs All
wait-exit 60000 0
expect-none-seen
start "C:\\Qvs All\\Uninst0.exe" /S
wait-exit 60000 1603
start C:\\QvsE2E\\Uninst1.exe
expect-msgbox "Error" "The uninstaller runs with administrator rights, but users who are not administrators can change its program (or the folder that holds it), so it cannot be trusted:<br>C:\\QvsE2E\\Uninst1.exe<br><br>An administrator can allow only administrators to change the folder and run the uninstaller again.<br><br>Nothing was removed." error ok
answer ok
wait-exit 20000
CMDS
}

# The installer's configuration prefix, which names its journal.
product_key() {
  "$BUILD/host/builder/qvsbuild" list "$WORK/setup.exe" | grep -o '_\$_INSTALLER_Data_[0-9]*_\$_' | head -n 1
}

# expected_data FOLDER ALLUSERS EXTRAS-SELECTED: the data file as the
# uninstaller must find it, done-record IDs written as ID. The all-users
# installation made its folder and the Extras folder below it.
expected_data() {
  local folder=$1 all=$2 extras=$3 n=0 line folders=$(($2 * 2))
  echo '[LocalizationUninstall]'
  sed -n '/^\[LanguageDataUninstaller\]/,/^\[/p' "$ROOT/lang/English.lng" | tr -d '\r' |
    sed -n 's/^[^[;=]*= \?//p' | while IFS= read -r line; do n=$((n + 1)); echo "l$n=$line"; done
  # The second installation finds the key and value of the first and keeps
  # what it replaces (the key's existence, the earlier folder).
  previous() { [ "$all" = 1 ] && printf '%s\n' "$@"; }
  cat <<DATA | sed '/^$/d'
[UninstallerConfig]
ProgramName = E2E Product
ProgramVersion = 1.0
CompanyName = E2E Company
ProgramWebsite = 
SupportEmail = 
StartMenuPath = 
CreateAddRemoveEntry = 1
AddRemoveEntryName = E2E Product Entry
AddRemoveForAllUsers = $all
RebootRequired = 1
CreatedFoldersCount = $folders
LeaveFilesCount = 1
ProductKey = $(product_key)
[CloseItemsUninstaller]
UninstCheckForInstances = 1
Items = 4
[4]
ID = 4
Type = 0
MutexName = E2EProductRunning
[Components]
Items = 1,2
[1]
PathVariable = <mainfolder>
InstallationPath = $folder\\
[2]
PathVariable = <extras>
InstallationPath = $folder\\Extras
[DoneTasks]
Items = ID,ID,ID$([ "$all" = 1 ] || echo ',ID')
[ID]
Type = 0
BaseKey = -2147483647
KeyPath = Software\\E2E Output
$(previous 'PreviousType = 0' 'PreviousDataHex = ')
[ID]
Type = 1
BaseKey = -2147483647
KeyPath = Software\\E2E Output
ValueName = Folder
$(previous 'PreviousType = 1' 'PreviousData = C:\QvsE2E')
$([ "$all" = 1 ] || printf '%s\n' '[ID]' 'Type = 0' 'BaseKey = -2147483647' 'KeyPath = Software\E2E Nobody Made')
[ID]
Type = 1
BaseKey = -2147483647
KeyPath = Software\\E2E Nobody Made
ValueName = Lost
$(previous 'PreviousType = 1' 'PreviousData = 1')
[UninstallerTasks]
Items = 30,31
[30]
Type = 1
Win95 = 1
WinNT4 = 1
Win98 = 1
WinMe = 1
Win2000 = 1
WinXP = 1
WinServer2003 = 1
WinVista = 1
WinServer2008 = 1
Win7 = 1
BaseKey = 1
Key = Software\\E2E Runtime
DATA
  if [ "$extras" = 1 ]; then
    echo '[31]'
    echo 'Type = 5'
    for os in Win95 WinNT4 Win98 WinMe Win2000 WinXP WinServer2003 WinVista WinServer2008 Win7; do
      echo "$os = 1"
    done
    echo "Address = $folder\\Extras\\cache"
  fi
}

# check_install FOLDER N ALLUSERS EXTRAS-SELECTED ROOT
check_install() {
  local folder=$1 n=$2 all=$3 extras=$4 root=$5
  local unix="$PREFIX/drive_c/${folder#C:\\}" data
  data=$unix/Uninst$n.dat
  cmp <(cat "$BUILD/x64/uninstaller/qvsuninst.exe"; printf '\1\0\0\0') "$unix/Uninst$n.exe"
  # CR LF on every line, no blank line; then the text with the random
  # done-record IDs named ID.
  ! grep -qv $'\r$' "$data" && ! grep -qx $'\r' "$data"
  tr -d '\r' < "$data" | sed -e '/^\[DoneTasks\]/,/^\[UninstallerTasks\]/{/^Items = /s/[0-9][0-9]*/ID/g;s/^\[[0-9]*\]$/[ID]/}' \
    | sed '/^\[CreatedFiles\]/,$d' > "$WORK/data"
  diff <(expected_data "$folder" "$all" "$extras") "$WORK/data"
  # The created files end with the two uninstaller files; the folders are
  # those this run made; the file to leave is expanded.
  tr -d '\r' < "$data" | sed -n '/^\[CreatedFiles\]/,/^\[CreatedFolders\]/p' > "$WORK/files"
  grep -qxF "f0=$folder\\readme.txt" "$WORK/files"
  [ "$(tail -n 3 "$WORK/files" | head -n 2 | tr '\n' '|')" = "f$((extras + 1))=$folder\\Uninst$n.exe|f$((extras + 2))=$folder\\Uninst$n.dat|" ]
  tr -d '\r' < "$data" | sed -n '/^\[CreatedFolders\]/,$p' > "$WORK/folders"
  [ "$(tail -n 2 "$WORK/folders" | tr '\n' '|')" = "[LeaveFiles]|1 = $folder\\settings.ini|" ]
  # The Add/Remove entry below the root the data file names.
  local key='Software\Microsoft\Windows\CurrentVersion\Uninstall\E2E Product Entry'
  "$wine" reg query "$root\\$key" | tr -d '\r' | sed -n 's/^    \([A-Za-z]*\) *REG_SZ *\(.*\)$/\1=\2/p' | sort > "$WORK/entry"
  grep -qx "DisplayName=E2E Product Entry" "$WORK/entry"
  grep -qx "DisplayVersion=1.0" "$WORK/entry"
  grep -qx "Publisher=E2E Company" "$WORK/entry"
  grep -qxF "DisplayIcon=$folder\\Uninst$n.exe,2" "$WORK/entry"
  # Quoted when the path holds a blank, or Windows would try C:\Qvs.exe.
  local command="$folder\\Uninst$n.exe"
  [ "$command" = "${command/ /}" ] || command="\"$command\""
  grep -qxF "UninstallString=$command" "$WORK/entry"
  grep -qxF "QuietUninstallString=\"$folder\\Uninst$n.exe\" /S" "$WORK/entry"
  grep -qxF "InstallLocation=$folder\\" "$WORK/entry"
  echo "check: $folder: Uninst$n.exe is the image and its flag, Uninst$n.dat as expected, the entry below $root"
}
check_result() {
  check_install 'C:\QvsE2E' 1 0 0 HKCU
  # A value whose key is missing has it made; the log says so.
  grep -q 'Task 51 "Task 51" (type 2): done, recorded' "$PREFIX/drive_c/e2e/install1.log"
  grep -q 'Task 50 "Task 50" (type 2): done, recorded' "$PREFIX/drive_c/e2e/install1.log"
  [ "$(cat "$PREFIX/drive_c/QvsE2E/Uninst0.exe")" = 'not ours' ]
  [ ! -e "$PREFIX/drive_c/QvsE2E/Extras" ]
  check_install 'C:\Qvs All' 0 1 1 HKLM
  [ "$(tr -d '\r' < "$PREFIX/drive_c/Qvs All/Uninst0.dat" | sed -n '/^\[CreatedFolders\]/,/^\[LeaveFiles\]/p' | tr '\n' '|')" = \
    '[CreatedFolders]|f0=C:\Qvs All\|f1=C:\Qvs All\Extras\|[LeaveFiles]|' ]
  echo "check: the other Uninst0.exe untouched, the unselected component absent, the folders made recorded"
  # Wine keeps no access lists: every file is its user's own, so an
  # uninstaller that runs with administrator rights trusts neither
  # installation and removes nothing.
  [ -f "$PREFIX/drive_c/Qvs All/Uninst0.dat" ] && [ -f "$PREFIX/drive_c/QvsE2E/Uninst1.dat" ]
  echo "check: the uninstallers refused what a user could have changed"
}
