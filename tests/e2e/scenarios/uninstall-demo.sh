# The demo installed through its windows, then uninstalled through the
# uninstaller's while the product still runs and after the user added a
# file to its folder. The uninstaller asks, names the running product (its
# close item, a mutex) and looks again on Retry, first in vain, then once
# the product is closed; it removes everything and says so. Afterwards the
# machine is as it was before the installation, but for the user's file and
# the folders that hold it; the uninstaller's copy in the temporary folder
# is gone too.
make_installer() {
  build_installer "$ROOT/examples/demo" "$WORK/setup.exe"
  cp "$BUILD/x64/tests/e2e/e2eholder.exe" "$WORK/"
}
prepare_machine() {
  source "$E2E/uninstall_lib.sh"
  snapshot before
}
driver_commands() {
  local running="Uninstall has detected active programs on your computer. Please close all active programs so Setup can remove the relevant files.<br><br>Details:<br>Active mutex: DemoProductRunning<br>"
  cat <<CMDS
$(install_demo_everything)
click 31
wait-exit 20000
file-exists "C:\\Apps\\Demo Test\\Uninst0.exe" 1
file-exists "C:\\Apps\\Demo Test\\Uninst0.dat" 1
start C:\\windows\\system32\\cmd.exe /c echo mine> "C:\\Apps\\Demo Test\\Docs\\My notes.txt"
wait-exit 20000
start C:\\e2e\\e2eholder.exe DemoProductRunning "Demo Product" E2EHolderClass
wait-window "Demo Product"
start "C:\\Apps\\Demo Test\\Uninst0.exe"
proc 0
expect-msgbox "Uninstall" "Are you sure you want to uninstall Demo Product?" question yes,no
answer yes
expect-msgbox "Active programs check" "$running" warning retry,cancel
answer retry
expect-msgbox "Active programs check" "$running" warning retry,cancel
proc 3
kill
proc 0
expect-msgbox "Active programs check" "$running" warning retry,cancel
answer retry
expect-msgbox "Information" "The program was successfully uninstalled from your computer." information ok
file-exists "C:\\Apps\\Demo Test\\DemoApp.exe" 0
answer ok
proc 4
wait-exit 30000
file-exists "C:\\Apps\\Demo Test\\Uninst0.exe" 0
file-exists "C:\\Apps\\Demo Test\\Docs\\My notes.txt" 1
CMDS
}
check_result() {
  source "$E2E/uninstall_lib.sh"
  same_as_before '^file\+ apps/demo test/docs/my notes\.txt$' \
    '^folder\+ apps(/demo test(/docs)?)?$'
  echo "check: only the user's file and its folders are left"
}
