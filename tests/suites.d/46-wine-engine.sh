#!/usr/bin/env bash
# The installer's tasks under Wine, in a fresh prefix: registry keys and
# values, programs, shortcuts and internet shortcuts, associations, DLL
# registration, environment variables, fonts, INI files and folder tasks,
# each called through the engine and read back through the Win32 API.
set -u
cd "$(dirname "$0")/../.."
mkdir -p "${QVS_OUT:-out}/wine-engine"
work=$(cd "${QVS_OUT:-out}/wine-engine" && pwd)
rm -rf "$work/prefix"
mkdir -p "$work/prefix"
export WINEPREFIX=$work/prefix WINEDEBUG=-all
build=${QVS_BUILD:-build}  # another build root, for trying the suite
wine=$(command -v wine64 || command -v wine)
. tests/wine/prefix.sh
test_exe=$build/x64/tests/wine/engine_tasks_test.exe
passed=0 failed=0

if [ ! -f "$test_exe" ]; then
  echo "FAIL: engine_tasks_test.exe built ($test_exe)"
  echo "RESULT 0 1"
  exit 1
fi

prepare_prefix
# What the program expects in C:\qvs-engine-test\: a font to install (any
# TrueType file the system has, under a name of the test's own), a folder
# outside the one the delete task removes, a link to it inside that one
# (a Unix symbolic link, which Wine shows as a folder link), and two more
# links to it for the uninstaller's removal.
area=$WINEPREFIX/drive_c/qvs-engine-test
mkdir -p "$area/outside" "$area/doomed"
printf keep >"$area/outside/keep.txt"
ln -s ../outside "$area/doomed/link"
ln -s outside "$area/via-link"
ln -s outside "$area/folder-link"
font=$(ls /usr/share/wine/fonts/*.ttf /usr/share/fonts/truetype/*/*.ttf 2>/dev/null | head -n 1)
[ -n "$font" ] && cp "$font" "$area/QvsTestFont.ttf"

run_checks_program engine_tasks "$work/engine_tasks.log" 600 "$test_exe"
# The link's target must have survived the delete task, whatever the
# program reported.
if [ "$(cat "$area/outside/keep.txt" 2>/dev/null)" != keep ]; then
  echo "FAIL: the folder link's target survives the delete-folder task"
  failed=$((failed + 1))
fi

echo "RESULT $passed $failed"
[ "$failed" -eq 0 ]
