# A script of comment lines only adds nothing to the store next to the
# language: "Error parsing script data!" under the language's error caption.
make_installer() {
  new_project "$WORK/project" English.lng:English:1033
  printf ';\r\n; nothing but comments\r\n;\r\n' > "$WORK/project/Script.qvs"
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox Error "Error parsing script data!" error ok
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
