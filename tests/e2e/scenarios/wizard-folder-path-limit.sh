# An install folder so deep that the product's longest file would pass the
# Windows path limit (259 characters) is refused on the folder page with
# the folder message, before anything is written. The demo's longest file
# with the default components is Samples\SampleRunner.exe (24 characters):
# a folder of 236 characters with its final "\" is refused, one of 235 is
# taken.
source "$E2E/components_lib.sh"
make_installer() { demo_installer; }
# C:\, three folders of 58 characters and a last one of 54 (235 in all),
# or of 55.
deep_folder() {
  local part=$(printf 'd%.0s' $(seq 57)) last=$(printf 'e%.0s' $(seq "$1"))
  echo "C:\\${part}1\\${part}2\\${part}3\\${last}\\"
}
driver_commands() {
  local refused=$(deep_folder 55) taken=$(deep_folder 54)
  [ ${#refused} -eq 236 ] && [ ${#taken} -eq 235 ]
  to_components_page
  cat <<CMDS
click 29
expect-visible 150 1
set-text 156 "$refused"
click 29
expect-msgbox "Warning" "Please enter a full path in the following form: DriveLetter:\\DesiredPath\\<br><br>Example: C:\\App\\" warning
answer ok
wait-window "Demo Product 1.0 Setup"
expect-visible 150 1
file-exists "${refused:0:61}" 0
set-text 156 "$taken"
click 29
expect-visible 175 1
click 30
expect-msgbox "Please confirm" "Are you sure you want to stop the installation of Demo Product now? Press 'No' to continue or 'Yes' to end this program.<br><br>You can run this installer at a later time and continue the installation procedure." question
answer yes
wait-exit 20000
CMDS
}
