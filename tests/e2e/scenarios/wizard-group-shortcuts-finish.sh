# Two components, a start-menu group and a desktop shortcut of the second,
# unmarked component: page 7 is passed over until "Full" selects that
# component; a group name with a colon, or one that climbs out of the
# start menu with "..", is refused with its message; the
# no-group box disables field and list, and lets the user on with an empty
# name (the name is not judged when no group is made); picking an existing start-menu
# folder puts the group inside it; the finish boxes appear by their
# keys and components, one under the other.
make_installer() {
  new_project "$WORK/project" English.lng:English:1033
  mkdir -p "$WORK/project/Files/2"
  echo extra > "$WORK/project/Files/2/extra.txt"
  sed 's/$/\r/' >> "$WORK/project/Script.qvs" <<'SCRIPT'

[Categories]
Items = 10

[10]
ID = 10
InternalName = Main
LocalizedNameID = 100

[100]
-1 = Main

[Components]
Items = 1,2

[1]
ID = 1
CategoryID = 10
InternalName = Core
LocalizedNameID = 101
InstallationPath = <programfiles>\E2E Product
IsPrincipal = 1

[101]
-1 = Core

[2]
ID = 2
CategoryID = 10
InternalName = Extra
LocalizedNameID = 102

[102]
-1 = Extra

[InstallerSettings]
CreateGroup = 1
CustomStartMenuGroup = E2E Group
LaunchProgramCheckbox = 1
LaunchProgramComponentID = 2
ViewReadmeCheckbox = 1
ViewReadmeComponentID = 1
VisitWebsiteCheckbox = 1

[InstallerTasks]
Items = 30

[30]
ID = 30
Name = Desktop shortcut
Type = 3
Win95 = 1
WinNT4 = 1
Win98 = 1
WinMe = 1
Win2000 = 1
WinXP = 1
WinServer2003 = 1
WinVista = 1
WinServer2008 = 1
Win7 = 1
ComponentID = 2
OutputPath = <desktop>\E2E Product
FilePath = <programfiles>\E2E Product\readme.txt
SCRIPT
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
wait-window "E2E Product Setup"
click 29
expect-visible 125 1
expect-selected 131 0
click 29
expect-visible 150 1
click 29
expect-visible 175 1
click 29
expect-visible 200 1
expect-text 205 "E2E Group"
set-text 205 "Bad:Name"
click 29
expect-msgbox "Warning" "Please enter a valid Start Menu entry name (e.g. MyProgram)." warning ok
answer ok
wait-window "E2E Product Setup"
expect-visible 200 1
expect-text 205 "Bad:Name"
set-text 205 "..\\..\\..\\Windows\\QvsGroup"
click 29
expect-msgbox "Warning" "Please enter a valid Start Menu entry name (e.g. MyProgram)." warning ok
answer ok
wait-window "E2E Product Setup"
expect-visible 200 1
select-list 206 text=StartUp
expect-text 205 "StartUp\\E2E Group"
set-text 205 ""
set-check 207 1
expect-enabled 205 0
expect-enabled 206 0
click 29
expect-visible 250 1
expect-text-contains 254 "Start menu group:<br>     None<br>"
click 28
expect-visible 200 1
set-check 207 0
expect-enabled 205 1
set-text 205 "E2E Group"
click 29
expect-visible 250 1
expect-visible 225 0
expect-text-contains 254 "Start menu group:<br>     E2E Group<br>"
click 28
expect-visible 200 1
click 28
click 28
click 28
expect-visible 125 1
select-list 131 1
click 29
click 29
click 29
click 29
expect-visible 225 1
expect-visible 230 1
expect-text 230 "Create Desktop shortcut"
expect-checked 230 1
expect-visible 231 0
click 29
expect-visible 250 1
expect-text-contains 254 "Additional tasks:<br>     Desktop shortcuts will be created<br>"
click 28
expect-visible 225 1
click 29
click 29
expect-visible 300 1
expect-visible 304 1
expect-rect 304 165 110 315 15
expect-visible 306 1
expect-rect 306 165 135 310 15
expect-visible 308 1
expect-rect 308 165 160 315 15
expect-control 303 0
expect-control 305 0
expect-control 307 0
click 31
wait-exit 20000
start $SETUP
wait-window "E2E Product Setup"
click 29
click 29
click 29
click 29
click 29
expect-visible 250 1
click 29
expect-visible 300 1
expect-visible 304 0
expect-visible 306 1
expect-rect 306 165 110 310 15
expect-rect 308 165 135 315 15
click 31
wait-exit 20000
CMDS
}
