# No file in the user's language (German): the entry named English in any
# letter case is preselected.
LOCALE=de_DE.UTF-8
make_installer() {
  language_project "$WORK/project" A-Francais.lng:Francais:1036 B-English.lng:eNGLISH:2057 \
    C-Italiano.lng:Italiano:1040
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
wait-window "Language selection"
expect-items 203 "Francais|eNGLISH|Italiano"
expect-selected 203 1
press-enter
CMDS
  leave_wizard eNGLISH
}
