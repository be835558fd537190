# The temporary folder does not exist, so the module file cannot be made.
make_installer() { english_installer; }
driver_commands() {
  cat <<CMDS
setenv TMP C:\\no-such-folder
setenv TEMP C:\\no-such-folder
start $SETUP
expect-msgbox Error "Memory buffer error." error ok
answer ok
wait-exit
setenv TMP
setenv TEMP
file-exists C:\\no-such-folder 0
CMDS
}
