# Neither the user's language (German) nor English: the first entry is
# preselected. A file with an empty name is left out of the list. Choosing
# another entry with the mouse and OK opens the wizard in that language.
LOCALE=de_DE.UTF-8
make_installer() {
  language_project "$WORK/project" A-Nameless.lng::1031 B-Francais.lng:Francais:1036 \
    C-Italiano.lng:Italiano:1040
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
wait-window "Language selection"
expect-items 203 "Francais|Italiano"
expect-selected 203 0
select-list 203 text=Italiano
expect-selected 203 1
mouse-click 204
CMDS
  leave_wizard Italiano
}
