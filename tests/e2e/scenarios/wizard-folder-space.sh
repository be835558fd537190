# The install-folder page: the principal folder in the field, the space
# lines, a folder on a drive that does not exist (the installer's own drive
# is measured meanwhile; Next refuses with the folder message), and a CD
# drive without a medium: its free space cannot be read, so the line shows
# "n/a" and Next refuses with the space message.
source "$E2E/components_lib.sh"
make_installer() {
  demo_installer
  cd_drive_without_medium
}
driver_commands() {
  to_components_page
  cat <<CMDS
click 29
expect-visible 150 1
expect-text 156 "C:\\Program Files\\Demo Product\\"
expect-text 159 "Required space: 12.1 KB"
expect-text-contains 158 "Available space: "
expect-text-contains 158 " GB"
expect-text 157 "Browse"
snap $(shots_folder)\\page-4-install-folder.bmp
set-text 156 "R:\\Nowhere\\"
expect-text-contains 158 " GB"
click 29
expect-msgbox "Warning" "Please enter a full path in the following form: DriveLetter:\\DesiredPath\\<br><br>Example: C:\\App\\" warning
answer ok
wait-window "Demo Product 1.0 Setup"
expect-visible 150 1
set-text 156 "Q:\\Demo\\"
expect-text 158 "Available space: n/a"
click 29
expect-msgbox "Warning" "You do not have enough free space to install Demo Product on the selected drive. Please choose another installation location." warning
answer ok
wait-window "Demo Product 1.0 Setup"
expect-visible 150 1
expect-text 156 "Q:\\Demo\\"
set-text 156 "C:\\Demo\\"
expect-text-contains 158 " GB"
click 29
expect-visible 175 1
CMDS
}
