# Two languages, neither in the user's language (German): the dialog's
# size, texts and control positions, both names in payload order with
# "English" preselected, the list focused and Tab going round list, OK and
# Cancel; the temporary module exists while it waits; Enter on the list
# moves the focus to OK and presses it, and the wizard opens in English.
LOCALE=de_DE.UTF-8
make_installer() {
  language_project "$WORK/project" A-Francais.lng:Francais:1036 B-English.lng:English:1033
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
wait-window "Language selection"
expect-client-size 286 126
expect-items 203 "Francais|English"
expect-selected 203 text=English
expect-text 202 "Please select a language:"
expect-text 204 "OK"
expect-text 205 "Cancel"
expect-rect 201 20 15 * *
expect-rect 202 70 20 205 30
expect-rect 204 112 95 75 23
expect-rect 205 200 95 75 23
expect-focus 203
press-key tab
expect-focus 204
press-key tab
expect-focus 205
press-key tab
expect-focus 203
glob-count $TEMP_MODULES 1
key-down enter
expect-focus 204
key-up enter
CMDS
  leave_wizard English
}
