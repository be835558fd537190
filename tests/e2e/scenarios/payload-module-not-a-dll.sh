# Module bytes that are no DLL: LoadLibrary refuses them; the clean exit
# removes the temporary file they were written to.
make_installer() {
  english_installer "$WORK/sound.exe"
  head -c 5000 /dev/urandom > "$WORK/garbage.bin"
  surgery "$WORK/sound.exe" "$WORK/setup.exe" module "$WORK/garbage.bin"
  rm "$WORK/sound.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox Error "Error loading the data unpacker DLL module." error ok
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
