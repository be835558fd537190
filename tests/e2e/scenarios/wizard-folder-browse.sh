# Browse on the install-folder page: the folder picker opens at the field's
# folder with the page's prompt; Cancel keeps the field; OK puts the chosen
# folder, with "\" appended, in the field.
source "$E2E/components_lib.sh"
make_installer() { demo_installer; }
driver_commands() {
  to_components_page
  cat <<CMDS
click 29
expect-visible 150 1
set-text 156 "C:\\windows\\system32"
click 157
wait-window "Browse for Folder"
expect-text-contains 14146 "Please choose the installation folder where Demo Product will be installed:"
snap $(shots_folder)\\page-4-browse.bmp
click 2
wait-window class=QuorvantisWizard
expect-text 156 "C:\\windows\\system32"
click 157
wait-window "Browse for Folder"
click 1
wait-window class=QuorvantisWizard
expect-text 156 "C:\\windows\\system32\\"
set-text 156 "C:\\windows\\Fonts\\"
click 157
wait-window "Browse for Folder"
snap $(shots_folder)\\page-4-browse-fonts.bmp
click 1
wait-window class=QuorvantisWizard
expect-text 156 "C:\\windows\\Fonts\\"
CMDS
}
