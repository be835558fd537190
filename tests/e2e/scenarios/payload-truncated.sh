# A download cut short inside the unpacker module: the start marker is
# there, the end marker is not.
make_installer() {
  english_installer "$WORK/full.exe"
  local start
  start=$(grep -abo -m1 '\$_QVS_CONFIG_START_\$' "$WORK/full.exe" | cut -d: -f1)
  head -c $((start + 20000)) "$WORK/full.exe" > "$WORK/setup.exe"
  rm "$WORK/full.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox Error "This installer is corrupt. Please obtain a new copy from the vendor." error ok
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
