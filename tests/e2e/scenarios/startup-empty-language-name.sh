# The only language file has an empty name: no dialog, the "no name"
# message, exit code 0 and no temporary module left behind. The builder
# refuses such a project, so the nameless file goes in as a product file
# and takes the place of the named one afterwards.
make_installer() {
  new_project "$WORK/project" Nameless.lng::1033 English.lng:English:1033
  mv "$WORK/project/Languages/Nameless.lng" "$WORK/project/Files/1/"
  build_installer "$WORK/project" "$WORK/built.exe"
  surgery "$WORK/built.exe" "$WORK/setup.exe" move-entry '\Nameless.lng' '\English.lng'
  rm "$WORK/built.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox Error "Language file error (no name detected). Installation cannot continue." error ok
expect-not-seen "Language selection"
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
