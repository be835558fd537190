# One language file: taken without the language dialog; the wizard opens in
# it; Cancel and Yes end the installer, which leaves no temporary module.
make_installer() {
  language_project "$WORK/project" English.lng:English:1033
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
CMDS
  leave_wizard English
  echo 'expect-not-seen "Language selection"'
}
