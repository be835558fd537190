# Helpers for the scenario files (sourced by run.sh in each scenario's
# subshell). A scenario defines make_installer, which writes $WORK/setup.exe
# (and any further .exe it needs), and driver_commands, which prints the
# uidriver commands; both run with these variables set:
#   ROOT      the repository       WORK   the scenario's scratch folder
#   BUILD     the build root       E2E    tests/e2e
#   SETUP     C:\e2e\setup.exe, where the installer runs inside the prefix
#   TEMP_MODULES  the wildcard of the installer's temporary module files
# Optional settings: WINDOWS_VERSION (win7, win81, winxp, ...: what Wine reports
# instead of the template's win10) and
# LOCALE (a glibc locale such as de_DE.UTF-8: the user's default language).

SETUP='C:\e2e\setup.exe'
TEMP_MODULES='%TEMPDIR%\_temp_*.tmp'

# new_project DIR [FILE:NAME:LANGID ...]
# Copies the minimal project to DIR with CRLF line ends and writes one
# language file per argument from the English language file, with the given
# name (may be empty) and LangID. Each file's string 106, the wizard's title
# when the script sets none, names the file's language.
new_project() {
  local dir=$1 spec file name id
  shift
  rm -rf "$dir" && mkdir -p "$dir/Languages"
  cp -r "$E2E/projects/minimal/Files" "$dir/"
  sed 's/$/\r/' "$E2E/projects/minimal/Script.qvs" > "$dir/Script.qvs"
  for spec in "$@"; do
    IFS=: read -r file name id <<<"$spec"
    sed -e "s/^Name = .*\r\$/Name = $name\r/" -e "s/^LangID = .*\r\$/LangID = $id\r/" \
      -e "s/^l106 = .*\r\$/l106 = \$APPNAME\$ Setup ($name)\r/" \
      "$ROOT/lang/English.lng" > "$dir/Languages/$file"
  done
}

# build_installer PROJECT OUT [qvsbuild options...]
# The x64 flavour: the stub and module Wine runs on this machine.
build_installer() {
  local project=$1 out=$2
  shift 2
  "$BUILD/host/builder/qvsbuild" build "$project" -o "$out" --flavour x64 \
    --stub "$BUILD/x64/startup/qvssetup.exe" --module "$BUILD/x64/module/qvsunpack.dll" \
    --uninstaller "$BUILD/x64/uninstaller/qvsuninst.exe" \
    --level 1 --threads 1 --quiet "$@"
}

# oversized_text OUT TEXT: writes TEXT followed by short entries up to
# 64 MiB (the builder's former limit for scripts and language files) to OUT.
oversized_text() {
  python3 - "$1" "$2" <<'PY'
import sys
data = open(sys.argv[2], "rb").read() + b"[Padding]\r\n"
data += b"k=v\r\n" * ((64 * 1024 * 1024 - len(data)) // 5)
open(sys.argv[1], "wb").write(data)
PY
}

# surgery IN OUT OPERATION [ARGUMENT...]: see installer_surgery.py.
surgery() {
  python3 "$E2E/installer_surgery.py" "$@"
}

# A sound installer with one English language file.
english_installer() {
  new_project "$WORK/project" English.lng:English:1033
  build_installer "$WORK/project" "${1:-$WORK/setup.exe}"
}

# language_project DIR [FILE:NAME:LANGID ...]: new_project without the
# script's window title, so that the wizard's title tells which language was
# loaded: "E2E Product Setup (English)".
language_project() {
  new_project "$@"
  sed -i '/^InstallerWindowTitle/d' "$1/Script.qvs"
}

# wizard_title NAME: the wizard's title with the language NAME loaded.
wizard_title() { echo "E2E Product Setup ($1)"; }

# leave_wizard NAME: driver commands that wait for the wizard in language
# NAME (a language_project), cancel it with Yes, and check that the
# installer ended and removed its temporary module.
leave_wizard() {
  cat <<CMDS
wait-window "$(wizard_title "$1")" 30000
click 30
wait-window "Please confirm"
answer yes
proc 1
wait-exit 20000
glob-count $TEMP_MODULES 0
CMDS
}

# component_project DIR FOLDER [REPLACE_STATUS]: a project with English, one
# principal component (ID 1, in category 10: components show, and count as
# selected, only in a category) whose files are those of Files/1, installed
# to FOLDER (path variables allowed), with the script's ReplaceStatus.
component_project() {
  local dir=$1 folder=$2 status=${3:-0}
  new_project "$dir" English.lng:English:1033
  sed 's/$/\r/' >> "$dir/Script.qvs" <<SCRIPT

[FileConfig]
ReplaceStatus = $status

[Categories]
Items = 10

[10]
ID = 10
InternalName = Product

[Components]
Items = 1

[1]
ID = 1
CategoryID = 10
InternalName = Main
InstallationPath = $folder
IsPrincipal = 1
SCRIPT
}

# walk_to_review: driver commands from the wizard's first page to the
# review page of a component_project on an administrator's NT system
# (welcome, folder, installation mode); walk_to_install goes on to the
# progress page.
walk_to_review() {
  cat <<CMDS
wait-window "E2E Product Setup"
click 29
expect-visible 150 1
click 29
expect-visible 175 1
click 29
expect-visible 250 1
CMDS
}
walk_to_install() {
  walk_to_review
  echo "click 29"
}

# install_demo_everything [SWITCH...]: driver commands that install the demo
# through its windows with every component into C:\Apps\Demo Test\ (English,
# the licence accepted, install type 1), up to its finish page.
install_demo_everything() {
  cat <<CMDS
start $SETUP $*
wait-window "Language selection"
click 204
wait-window "Demo Product 1.0 Setup"
click 29
set-check 80 1
click 29
click 29
select-list 131 1
click 29
set-text 156 "C:\\Apps\\Demo Test\\"
click 29
click 29
click 29
click 29
expect-visible 250 1
click 29
wait-window "Demo Product 1.0 Setup"
expect-visible 300 1
CMDS
}

# task ID TYPE COMPONENT [KEY=VALUE ...]: the group of one InstallerTasks
# item that runs on every system (LF line ends; convert with the script).
task() {
  local id=$1 type=$2 component=$3 os pair
  shift 3
  printf '[%s]\nID = %s\nName = Task %s\nType = %s\n' "$id" "$id" "$id" "$type"
  for os in Win95 WinNT4 Win98 WinMe Win2000 WinXP WinServer2003 WinVista WinServer2008 Win7; do
    printf '%s = 1\n' "$os"
  done
  printf 'ComponentID = %s\n' "$component"
  for pair in "$@"; do printf '%s = %s\n' "${pair%%=*}" "${pair#*=}"; done
  printf '\n'
}
