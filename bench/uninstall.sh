#!/usr/bin/env bash
# Uninstall benchmark under Wine: a product of 20,000 files below 62 created
# folders (C:\Deep\d1\...\d62\), removed by the uninstaller silently. Prints
# the time from launch to the end of the Wine session, the processor time
# of the uninstaller's working copy (the process running the qvu*.tmp
# copy; less bent by other load on the machine than the time) and its peak
# memory (VmHWM). They once grew with files x created folders above each
# file; they now grow with files + folders. On a shared two-core machine
# under load (about 8): before 139.5 s, processor 41.7 s, 468 MB; after
# 103.2 s, processor 7.0 s, 59 MB (the rest of the time is spent outside
# the uninstaller's process: Wine's server, the other load).
#
# usage: bench/uninstall.sh [UNINSTALLER.exe]   (default: build/x64's)
# The data file is written here in the format of format/uninstaller_data.h.
set -eu
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=$(cd "${QVS_BUILD:-build}" 2>/dev/null && pwd || echo "$ROOT/${QVS_BUILD:-build}")
UNINSTALLER=${1:-$BUILD/x64/uninstaller/qvsuninst.exe}
WORK=$ROOT/out/bench-uninstall
FILES=20000
DEPTH=62
source "$ROOT/tests/e2e/wine_env.sh"
export WINEPREFIX=$WORK/prefix
# The session has mostly ended by then: a wineserver that is gone already
# is no failure of the benchmark.
trap 'stop_wine || true' EXIT

[ -f "$UNINSTALLER" ] || { echo "uninstall bench: $UNINSTALLER is not built"; exit 1; }
rm -rf "$WORK" && mkdir -p "$WORK"
"$wine" wineboot -i >/dev/null 2>&1
current_prefix=$WINEPREFIX

deep=Deep
for ((i = 1; i <= DEPTH; i++)); do deep="$deep/d$i"; done
mkdir -p "$WINEPREFIX/drive_c/$deep"
python3 - "$WINEPREFIX/drive_c" "$deep" "$FILES" "$UNINSTALLER" <<'PY'
import os, sys
root, deep, files, uninstaller = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
folder = os.path.join(root, deep)
win = 'C:\\' + deep.replace('/', '\\')
names = ['f%05d.txt' % i for i in range(files)]
for name in names:
    open(os.path.join(folder, name), 'wb').close()
levels = deep.split('/')
folders = ['C:\\' + '\\'.join(levels[:i + 1]) + '\\' for i in range(len(levels))]
lines = ['[LocalizationUninstall]', '[UninstallerConfig]', 'ProgramName = Bench',
         'ProgramVersion = 1', 'CompanyName = ', 'ProgramWebsite = ', 'SupportEmail = ',
         'StartMenuPath = ', 'CreateAddRemoveEntry = 0', 'AddRemoveEntryName = ',
         'AddRemoveForAllUsers = 0', 'RebootRequired = 0', '[CloseItemsUninstaller]',
         'UninstCheckForInstances = 0', '[CreatedFiles]']
created = [win + '\\' + n for n in names] + ['C:\\Deep\\Uninst0.exe', 'C:\\Deep\\Uninst0.dat']
lines += ['f%d=%s' % (i, p) for i, p in enumerate(created)]
lines += ['[CreatedFolders]'] + ['f%d=%s' % (i, p) for i, p in enumerate(folders)]
open(os.path.join(root, 'Deep', 'Uninst0.dat'), 'wb').write(('\r\n'.join(lines) + '\r\n').encode())
data = open(uninstaller, 'rb').read() + b'\0\0\0\0'
open(os.path.join(root, 'Deep', 'Uninst0.exe'), 'wb').write(data)
PY

peak=0 ticks=0
started=$(date +%s%N)
"$wine" 'C:\Deep\Uninst0.exe' /S >/dev/null 2>&1 &
# The copy of this prefix's uninstaller (other prefixes may run theirs).
copies() {
  local pid
  for pid in $(pgrep -f 'qvu.*\.tmp'); do
    grep -qz "^WINEPREFIX=$WINEPREFIX\$" "/proc/$pid/environ" 2>/dev/null && echo "$pid"
  done
}
while kill -0 $! 2>/dev/null || [ -n "$(copies)" ]; do
  for pid in $(copies); do
    kb=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
    [ "${kb:-0}" -gt "$peak" ] && peak=$kb
    used=$(awk '{print $14 + $15}' "/proc/$pid/stat" 2>/dev/null || echo 0)
    [ "${used:-0}" -gt "$ticks" ] && ticks=$used
  done
  sleep 0.1
done
WINEPREFIX=$WINEPREFIX wineserver -w
ended=$(date +%s%N)
left=$(find "$WINEPREFIX/drive_c/Deep" 2>/dev/null | wc -l)
printf 'uninstall bench: %d files below %d created folders: %.1f s, processor %.1f s, peak memory %d MB, %d entries left\n' \
  "$FILES" "$DEPTH" "$(echo "($ended - $started) / 1000000000" | bc -l)" \
  "$(echo "$ticks / $(getconf CLK_TCK)" | bc -l)" $((peak / 1024)) "$left"
