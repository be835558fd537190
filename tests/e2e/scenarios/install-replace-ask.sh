# ReplaceStatus 2 over files that exist: the replace question with its
# texts and icons (screenshot in out/e2e/install-replace-ask/), Yes
# replaces, No keeps, Yes to All replaces the rest without asking; a second
# installer answered No to All keeps every existing file without asking
# again. Files replaced by a completed installation leave no copy behind.
# The question's line is wider than its control in Wine's font: it shows
# shortened, whole in its tooltip. The first installation's uninstaller
# removes the files it wrote, replaced ones included, but never the file
# it found and kept.
make_installer() {
  for run in 1 2; do
    component_project "$WORK/project$run" 'C:\Product' 2
    for name in a b c d; do printf 'new %s %s\r\n' "$name" "$run" > "$WORK/project$run/Files/1/$name.txt"; done
  done
  printf '\n[UninstallerSettings]\nCreateUninstaller = 1\n' | sed 's/$/\r/' >> "$WORK/project1/Script.qvs"
  build_installer "$WORK/project1" "$WORK/setup.exe"
  build_installer "$WORK/project2" "$WORK/setup2.exe"
  mkdir -p "$ROOT/${QVS_OUT:-out}/e2e/install-replace-ask"
}
prepare_machine() {
  mkdir -p "$PREFIX/drive_c/Product"
  for name in a b c d; do printf 'old %s\r\n' "$name" > "$PREFIX/drive_c/Product/$name.txt"; done
}
driver_commands() {
  local shot="$ROOT/${QVS_OUT:-out}/e2e/install-replace-ask/question.bmp"
  cat <<CMDS
start $SETUP
$(walk_to_install)
wait-window "Confirm file replace"
expect-client-size 376 191
expect-text 402 "The folder you decided to extract the files to already contains the following file:"
expect-text-contains 404 """a.txt"", 7 bytes<br>Modified "
expect-tooltip 405 "Would you like to replace it with the file in the package?"
expect-text-contains 405 "Would you like to replace it"
expect-text-contains 407 """a.txt"", 9 bytes<br>Modified "
expect-text 408 "Yes"
expect-text 409 "Yes to All"
expect-text 410 "No"
expect-text 411 "No to All"
expect-rect 411 190 165 180 20
snap Z:${shot//\//\\}
click 408
wait-window "Confirm file replace"
expect-text-contains 404 """b.txt"""
click 410
wait-window "Confirm file replace"
expect-text-contains 404 """c.txt"""
click 409
wait-window "E2E Product Setup"
expect-visible 300 1
click 31
wait-exit 20000
start C:\\e2e\\setup2.exe
$(walk_to_install)
wait-window "Confirm file replace"
expect-text-contains 404 """a.txt"""
click 411
wait-window "E2E Product Setup"
expect-visible 300 1
expect-text 309 "The program was successfully installed. Press 'Finish' to close the wizard and return to your desktop."
click 31
wait-exit 20000
CMDS
}
check_result() {
  local dir="$PREFIX/drive_c/Product"
  [ "$(cat "$dir/a.txt")" = $'new a 1\r' ]
  [ "$(cat "$dir/b.txt")" = $'old b\r' ]
  [ "$(cat "$dir/c.txt")" = $'new c 1\r' ]
  [ "$(cat "$dir/d.txt")" = $'new d 1\r' ]
  [ -z "$(ls -A "$dir" | grep -i '~qvs')" ]
  echo "check: Yes, No and Yes to All, then No to All, as answered"
  "$wine" 'C:\Product\Uninst0.exe' /S
  wineserver -w
  [ "$(ls -A "$dir" | tr '\n' ' ')" = "b.txt " ] && [ "$(cat "$dir/b.txt")" = $'old b\r' ]
  echo "check: the uninstaller left the file the installation kept, and only it"
}
