# One language file: taken without the language dialog; the installer loads
# its strings, ends with exit code 0 and leaves no temporary module.
make_installer() { english_installer; }
driver_commands() {
  cat <<CMDS
start $SETUP
wait-exit 20000
expect-not-seen "Language selection"
glob-count $TEMP_MODULES 0
CMDS
}
