# A signed build of the demo, as a vendor ships it: qvsbuild --sign signs
# the uninstaller it packs and then the installer, with a throwaway
# certificate. The installer verifies and installs silently; the installed
# Uninst0.exe is the signed image unchanged (its signature verifies,
# nothing follows it) and its administrator flag went into Uninst0.dat.
# The uninstaller reads that flag there and works only on files that
# administrators alone can change: under Wine, where every file is the
# user's own, its silent run ends with 1603 and an interactive one says
# why, and nothing is removed (the removal itself is the unsigned
# uninstaller's, shown by the other uninstall scenarios).
make_installer() {
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$WORK/test.key" -out "$WORK/test.crt" \
    -days 2 -subj /CN=QvsE2E -addext extendedKeyUsage=codeSigning >/dev/null 2>&1
  openssl pkcs12 -export -inkey "$WORK/test.key" -in "$WORK/test.crt" -out "$WORK/test.pfx" \
    -passout pass:e2e
  QVS_SIGN_PASSWORD=e2e build_installer "$ROOT/examples/demo" "$WORK/setup.exe" --require-admin \
    --sign "$WORK/test.pfx"
  osslsigncode verify -CAfile "$WORK/test.crt" -in "$WORK/setup.exe" >/dev/null
}
driver_commands() {
  local folder='C:\Program Files\Demo Product'
  cat <<CMDS
start $SETUP /S
wait-exit 60000 0
start C:\\windows\\system32\\cmd.exe /c copy "$folder\\Uninst0.*" C:\\e2e\\
wait-exit 20000
start "$folder\\Uninst0.exe" /S
expect-no-window class=#32770 3000
wait-exit 30000 1603
start "$folder\\Uninst0.exe"
expect-msgbox "Error" "The uninstaller runs with administrator rights, but users who are not administrators can change its program (or the folder that holds it), so it cannot be trusted:<br>$folder\\Uninst0.exe<br><br>An administrator can allow only administrators to change the folder and run the uninstaller again.<br><br>Nothing was removed." error ok
answer ok
wait-exit 20000
file-exists "$folder\\DemoApp.exe" 1
CMDS
}
check_result() {
  local installed=$PREFIX/drive_c/e2e/Uninst0.exe data=$PREFIX/drive_c/e2e/Uninst0.dat
  osslsigncode verify -CAfile "$WORK/test.crt" -in "$installed" | grep -q 'Signature verification: ok'
  "$BUILD/host/builder/qvsbuild" extract "$WORK/setup.exe" -d "$WORK/extracted" >/dev/null
  cmp "$installed" "$WORK"/extracted/_\$_INSTALLER_Data_*_\$_/Config/Uninstaller.bin
  grep -q $'^RequireAdministrator = 1\r$' "$data"
  echo "check: the installed uninstaller is the signed image, unchanged; the flag in its data file"
  cmp "$data" "$PREFIX/drive_c/Program Files/Demo Product/Uninst0.dat"
  echo "check: the uninstaller refused files a user could change; its data file untouched"
}
