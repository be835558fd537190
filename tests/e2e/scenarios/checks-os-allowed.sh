# Wine reports Windows XP; the script refuses every other system but allows
# XP: the installer passes the check and goes on.
WINDOWS_VERSION=winxp64
make_installer() {
  source "$E2E/checks_lib.sh"
  new_project "$WORK/project" English.lng:English:1033
  local key
  for key in Win95 WinNT4 Win98 WinMe Win2000 Win2003 WinVista Win2008 Win7; do
    script_set SystemRequirements $key 0
  done
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  source "$E2E/checks_lib.sh"
  cat <<CMDS
start $SETUP
CMDS
  past_the_checks
  cat <<CMDS
expect-not-seen Information
CMDS
}
