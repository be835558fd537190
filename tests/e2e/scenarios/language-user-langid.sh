# The user's language is German (LangID 1031): of two German files the later
# one in payload order is preselected, ahead of "English", and Enter opens
# the wizard in it.
LOCALE=de_DE.UTF-8
make_installer() {
  language_project "$WORK/project" A-English.lng:English:1033 B-Deutsch.lng:Deutsch:1031 \
    C-Bairisch.lng:Bairisch:1031 D-Italiano.lng:Italiano:1040
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
wait-window "Language selection"
expect-items 203 "English|Deutsch|Bairisch|Italiano"
expect-selected 203 text=Bairisch
press-enter
CMDS
  leave_wizard Bairisch
}
