# A disk that runs full during the extraction: a component goes to E:\, a
# 1 MiB drive (a tmpfs mapped as a Wine drive) that its 3 MiB file does not
# fit on, while the install folder's drive has room (so the check before
# the installation lets it pass). The silent run rolls back completely and
# ends with 10107; the message it logs names the folder and the space the
# files still need there; the machine is exactly as before. A product
# installed on E:\ whose files fit there but its uninstaller does not is
# rolled back too (a silent run never ends with 0 without its
# uninstaller). Then the journal's own folder is on a full disk: the
# installation stops before it changes anything.
make_installer() {
  component_project "$WORK/project" 'C:\Product'
  mkdir -p "$WORK/project/Files/2"
  head -c 3145728 /dev/zero > "$WORK/project/Files/2/large.bin"
  printf 'small\r\n' > "$WORK/project/Files/2/a-small.txt"
  sed -i 's/^Items = 1\r$/Items = 1,2\r/' "$WORK/project/Script.qvs"
  printf '\n[2]\nID = 2\nCategoryID = 10\nInternalName = Data\nInstallationPath = E:\\Data\nIsPrincipal = 0\n' |
    sed 's/$/\r/' >> "$WORK/project/Script.qvs"
  build_installer "$WORK/project" "$WORK/setup.exe"
  component_project "$WORK/project2" 'E:\Product'
  printf '\n[UninstallerSettings]\nCreateUninstaller = 1\n' | sed 's/$/\r/' >> "$WORK/project2/Script.qvs"
  build_installer "$WORK/project2" "$WORK/setup2.exe"
}
prepare_machine() {
  source "$E2E/uninstall_lib.sh"
  snapshot before
}
driver_commands() { echo 'file-exists C:\e2e\setup.exe 1'; }
check_result() {
  source "$E2E/uninstall_lib.sh"
  local log=$PREFIX/drive_c/e2e/full.log
  small=$WORK/small
  mkdir -p "$small"
  mount -t tmpfs -o size=1m qvs-e2e-small "$small"
  trap 'umount "$small"' EXIT
  ln -sfn "$small" "$PREFIX/dosdevices/e:"
  local code=0
  "$wine" 'C:\e2e\setup.exe' /S /COMPONENTS=1,2 /LOG='C:\e2e\full.log' >/dev/null 2>&1 || code=$?
  wineserver -w
  [ "$code" = $((10107 % 256)) ] || { echo "exit code $code"; return 1; }
  tr -d '\r' < "$log" > "$WORK/full.log"
  grep -q 'There is not enough free space to install the files in *E:\\Data\\ *The files still to come need 3\.0 MB there; 1[0-9.]* KB is free\.' \
    "$WORK/full.log"
  grep -q 'Installation failed and rolled back' "$WORK/full.log"
  [ -z "$(ls -A "$small")" ]
  same_as_before 'e2e/full\.log'
  echo "check: the full disk named with the space needed, everything rolled back"

  head -c $((1048576 - 131072)) /dev/zero > "$small/filler"
  code=0
  "$wine" 'C:\e2e\setup2.exe' /S /LOG='C:\e2e\nouninstaller.log' >/dev/null 2>&1 || code=$?
  wineserver -w
  [ "$code" = $((1603 % 256)) ] || { echo "exit code $code"; return 1; }
  grep -q 'The uninstaller could not be written:' "$PREFIX/drive_c/e2e/nouninstaller.log"
  grep -q 'Installation failed and rolled back' "$PREFIX/drive_c/e2e/nouninstaller.log"
  [ "$(ls -A "$small")" = filler ] && rm "$small/filler"
  echo "check: an installation whose uninstaller does not fit is rolled back"

  # The application data of all users, where the journal goes, on a full
  # disk holding what it held.
  programdata=$PREFIX/drive_c/ProgramData
  cp -a "$programdata" "$WORK/programdata"
  mount -t tmpfs -o size=64k,mode=0755 qvs-e2e-programdata "$programdata"
  trap "umount '$programdata'; umount '$small'" EXIT
  cp -a "$WORK/programdata/." "$programdata/"
  head -c 1048576 /dev/zero > "$programdata/filler" 2>/dev/null || true
  code=0
  "$wine" 'C:\e2e\setup.exe' /S /LOG='C:\e2e\nojournal.log' >/dev/null 2>&1 || code=$?
  wineserver -w
  [ "$code" = $((1603 % 256)) ] || { echo "exit code $code"; return 1; }
  tr -d '\r' < "$PREFIX/drive_c/e2e/nojournal.log" > "$WORK/nojournal.log"
  grep -q 'in C:\\ProgramData\\Quorvantis\\Journals\\_\$_INSTALLER_Data_[0-9]*_\$_\.journal, which could not be written\. Nothing has been changed\.' \
    "$WORK/nojournal.log"
  [ -z "$(grep "could be changed by others" "$WORK/nojournal.log")" ]
  same_as_before 'e2e/(full|nouninstaller|nojournal)\.log' '^file\+ programdata/filler$'
  echo "check: a journal that cannot be written stops the installation before any change"
}
