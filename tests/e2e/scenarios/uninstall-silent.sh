# The uninstaller as deployment tools run it, /S, after a silent install of
# the demo into its default folder with /DESKTOP (on Windows 10: Program
# Files, the group, the desktop link, and every task for "Win7" run and
# recorded): with the product running it ends at once with 1618 and has
# removed nothing; without its data file it ends with 1603 (and an
# interactive run says which file is missing, changing nothing); then it
# removes everything without showing any window and ends with 0. The
# machine is as it was before the installation.
make_installer() {
  build_installer "$ROOT/examples/demo" "$WORK/setup.exe"
  cp "$BUILD/x64/tests/e2e/e2eholder.exe" "$WORK/"
}
prepare_machine() {
  source "$E2E/uninstall_lib.sh"
  snapshot before
}
driver_commands() {
  local folder='C:\Program Files\Demo Product'
  cat <<CMDS
start $SETUP /S /DESKTOP
wait-exit 60000 0
file-exists "$folder\\Uninst0.dat" 1
file-exists "C:\\users\\Public\\Desktop\\Demo Product.lnk" 1
file-exists "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Demo Company\\Demo Product\\Demo Product.lnk" 1
start C:\\windows\\system32\\cmd.exe /c copy "$folder\\Uninst0.dat" C:\\e2e\\installed.dat
wait-exit 20000
start C:\\e2e\\e2eholder.exe DemoProductRunning "Demo Product" E2EHolderClass
wait-window "Demo Product"
start "$folder\\Uninst0.exe" /S
wait-exit 30000 1618
file-exists "$folder\\DemoApp.exe" 1
file-exists "$folder\\Uninst0.exe" 1
proc 3
kill
start C:\\windows\\system32\\cmd.exe /c ren "$folder\\Uninst0.dat" Uninst0.bak
wait-exit 20000
start "$folder\\Uninst0.exe" /s
wait-exit 30000 1603
start "$folder\\Uninst0.exe"
proc 0
expect-msgbox "Error" "The uninstaller cannot find its data file:<br>$folder\\Uninst0.dat<br><br>Nothing was removed." error ok
answer ok
proc 7
wait-exit 30000 0
file-exists "$folder\\DemoApp.exe" 1
start C:\\windows\\system32\\cmd.exe /c ren "$folder\\Uninst0.bak" Uninst0.dat
wait-exit 20000
start "$folder\\Uninst0.exe" /S
expect-no-window class=#32770 3000
expect-no-window class=QvsUninstallProgress 0
wait-exit 30000 0
file-exists "$folder" 0
CMDS
}
check_result() {
  source "$E2E/uninstall_lib.sh"
  # Keys, values, the association and the INI value: every kind of task
  # the demo runs on "Win7" was done and recorded.
  local done_types
  done_types=$(sed -n '/^\[DoneTasks\]/,/^\[UninstallerTasks\]/p' "$PREFIX/drive_c/e2e/installed.dat" |
    sed -n 's/^Type = \([0-9]*\)\r$/\1/p' | sort -u | tr -d '\n')
  [ "$done_types" = 0126 ]
  echo "check: the installation recorded its tasks ($done_types)"
  same_as_before '^file\+ e2e/installed\.dat$'
  echo "check: the machine is as before"
}
