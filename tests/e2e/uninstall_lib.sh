# Helpers of the uninstall scenarios (scenarios/uninstall-*.sh), sourced by
# them after lib.sh: the machine's state before and after, and their
# comparison (machine_snapshot.py).

# What Wine itself writes while programs run, whatever they are: not the
# product's doing (the font cache is filled when a new font is first drawn).
WINE_NOISE='software\\wine\\(temporary system parameters|fonts\\cache)'

# snapshot NAME: the files under drive_c and the exported HKLM\Software,
# HKCU\Software and HKCR trees into $WORK/NAME.json. Runs in the hooks
# (PREFIX and WINEPREFIX set).
snapshot() {
  local name=$1 key n=0
  local exports=$WORK/$name-exports
  rm -rf "$exports" && mkdir -p "$exports"
  for key in 'HKEY_LOCAL_MACHINE\Software' 'HKEY_CURRENT_USER\Software' 'HKEY_CLASSES_ROOT'; do
    n=$((n + 1))
    "$wine" regedit /E "$(winpath "$exports/$n.reg")" "$key" &
  done
  wait
  [ "$(ls "$exports" | wc -l)" = 3 ] || { echo "snapshot $name: a registry export is missing"; return 1; }
  python3 "$E2E/machine_snapshot.py" take "$PREFIX" "$exports" "$WORK/$name.json"
}

# same_as_before [ALLOWED-REGEX ...]: the machine now against the snapshot
# "before"; every difference but Wine's own and the allowed ones fails.
same_as_before() {
  snapshot after
  python3 "$E2E/machine_snapshot.py" compare "$WORK/before.json" "$WORK/after.json" \
    "$WINE_NOISE" "$@"
}

# environment_value NAME: the machine's environment variable as reg.exe
# shows it (type and data).
environment_value() {
  "$wine" reg query 'HKLM\System\CurrentControlSet\Control\Session Manager\Environment' \
    /v "$1" 2>/dev/null | tr -d '\r' | grep -i "^ *$1 "
}

# exported_value FILE NAME: the text of value NAME (@: the default value)
# in a file reg.exe exported (strings as they stand, REG_EXPAND_SZ decoded
# from its bytes, REG_MULTI_SZ one string a line).
exported_value() {
  python3 - "$1" "$2" <<'PY'
import re, sys
text = open(sys.argv[1], 'rb').read().decode('utf-16')
text = re.sub(r'\\\r?\n\s*', '', text)
for line in text.splitlines():
    match = re.match(r'^(@|"[^"]*")=(.*)$', line)
    if not match or match.group(1).strip('"').lower() != sys.argv[2].lower():
        continue
    data = match.group(2)
    if data.startswith('hex(2):') or data.startswith('hex(7):'):
        raw = bytes(int(b, 16) for b in data[7:].split(',') if b)
        print(raw.decode('utf-16-le').rstrip('\0').replace('\0', '\n'))
    else:
        print(data.strip('"').replace('\\\\', '\\'))
PY
}
