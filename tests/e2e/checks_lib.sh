# Helpers of the system-check scenarios (scenarios/checks-*.sh), sourced by
# them after lib.sh. They edit the project that new_project made in
# $WORK/project and print uidriver commands that prepare the prefix.

# script_set GROUP KEY VALUE: KEY = VALUE as the first entry of GROUP in the
# project's script, so that it wins over an entry of the same key there
# (the first entry of a key is the one read); the group is appended when
# the script lacks it.
script_set() {
  local file=$WORK/project/Script.qvs group=$1 key=$2 value=$3
  if grep -q "^\[$group\]"$'\r'"\$" "$file"; then
    GROUP=$group LINE="$key = $value" python3 - "$file" <<'PY'
import os, sys
path = sys.argv[1]
data = open(path, 'rb').read().decode('latin-1')
header = '[' + os.environ['GROUP'] + ']\r\n'
at = data.index(header) + len(header)
data = data[:at] + os.environ['LINE'] + '\r\n' + data[at:]
open(path, 'wb').write(data.encode('latin-1'))
PY
  else
    printf '[%s]\r\n%s = %s\r\n' "$group" "$key" "$value" >> "$file"
  fi
}

# script_lines LINE...: appends lines (new groups) to the project's script.
script_lines() {
  local line
  for line in "$@"; do printf '%s\r\n' "$line" >> "$WORK/project/Script.qvs"; done
}

# reg_add KEY [reg.exe options...]: the driver commands that run Wine's
# reg.exe inside the prefix and wait for it to succeed.
reg_add() {
  local key=$1 arg line
  shift
  line="start C:\\windows\\system32\\reg.exe add \"$key\""
  for arg in "$@"; do line+=" \"${arg//\"/\"\"}\""; done
  printf '%s /f\nwait-exit 20000\n' "$line"
}

# The stand-in browser (e2ebrowser.exe) copied beside the installer and
# registered as the user's Internet client: its command is its bare path,
# so it is taken as it stands.
BROWSER='C:\e2e\e2ebrowser.exe'
copy_browser() { cp "$BUILD/x64/tests/e2e/e2ebrowser.exe" "$WORK/"; }
register_browser() {
  reg_add 'HKCU\SOFTWARE\Clients\StartMenuInternet' /ve /d E2EBrowser
  reg_add 'HKLM\SOFTWARE\Clients\StartMenuInternet\E2EBrowser\shell\open\command' /ve /d "$BROWSER"
}

# A required item that is never present (a missing file), so that reaching
# the required-items check shows its "Dependency check" message: proof that
# the installer went on past an earlier check. Wine's "win7" reports a
# server product type, so the item is meant for Server 2008 R2 as well.
add_missing_requirement() {
  script_set SystemRequirements RequireExistingItems 1
  script_lines "[RequireExistingItems]" "Items = Later" "[Later]" "ProgramName = Later Runtime" \
    "Win7 = 1" "WinServer2008 = 1" "ID = 90" "Files = LaterFile" "[LaterFile]" "ID = 91" 'FilePath = C:\e2e\absent.dll'
}
LATER_REPORT='Setup cannot continue because it could not find the following program / component on your computer: ""Later Runtime"".<br><br>Details:<br>File not found: C:\e2e\absent.dll<br>'

# Driver commands for an installer whose checks all pass: the wizard opens
# (the minimal script's title), and Cancel with Yes ends the installer,
# which leaves no temporary module.
past_the_checks() {
  cat <<CMDS
wait-window "E2E Product Setup" 30000
click 30
wait-window "Please confirm"
answer yes
wait-exit 20000
glob-count $TEMP_MODULES 0
CMDS
}
