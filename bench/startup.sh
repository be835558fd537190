#!/usr/bin/env bash
# Start-up benchmark under Wine: the time from launching an installer to its
# language dialog, and the bytes the installer process reads meanwhile
# (/proc/<pid>/io of the Wine process), for a small payload and for one with
# 1 GB of product data in 10,000 files. Start-up walks the archive's records
# and chunk headers only, so the large installer should read about as much
# as the small one.
#
# usage: bench/startup.sh [RUNS]      (3 runs per installer by default)
# Needs build/host (qvsbuild) and build/x64 (stub, module, uidriver), or the
# build root in QVS_BUILD. The 1 GB of product data is made once under
# .cache/bench-startup; the installers are built again on every run.
set -u
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=$(cd "${QVS_BUILD:-build}" 2>/dev/null && pwd || echo "$ROOT/${QVS_BUILD:-build}")
WORK=$ROOT/out/bench-startup
DATA=$ROOT/.cache/bench-startup
RUNS=${1:-3}
source "$ROOT/tests/e2e/wine_env.sh"

cleanup() {
  stop_wine
  stop_display
}
trap cleanup EXIT
trap 'exit 130' INT TERM

for f in "$BUILD/host/builder/qvsbuild" "$BUILD/x64/startup/qvssetup.exe" \
         "$BUILD/x64/module/qvsunpack.dll" "$BUILD/x64/tests/e2e/uidriver.exe"; do
  [ -f "$f" ] || { echo "startup bench: $f is not built"; exit 1; }
done

# --- product data -------------------------------------------------------------
# 10,000 files of 100,000 bytes in 100 folders, cut at varying offsets from
# 8 MiB of seeded random bytes: as good as incompressible for 512 KiB chunks
# coded alone, and written at disk speed.
if [ ! -f "$DATA/.complete" ]; then
  echo "startup bench: writing 1 GB of product data to ${DATA#$ROOT/} (once)"
  rm -rf "$DATA"
  python3 - "$DATA/Files/1" <<'PY'
import os, random, sys
root = sys.argv[1]
block = random.Random(20261207).randbytes(8 << 20)
size, span = 100000, (8 << 20) - 100000
for folder in range(100):
    path = os.path.join(root, "d%02d" % folder)
    os.makedirs(path)
    for i in range(100):
        n = folder * 100 + i
        start = (n * 40961) % span
        with open(os.path.join(path, "f%05d.bin" % n), "wb") as out:
            out.write(block[start:start + size])
PY
  touch "$DATA/.complete"
fi

# --- installers ---------------------------------------------------------------
# Two languages, so that the installer stops at the language dialog.
# The large project is the data folder itself, its script and languages
# written afresh beside the product files.
project_texts() {
  local dir=$1
  mkdir -p "$dir/Languages"
  printf '[GeneralInformation]\r\nProgramName = Start-up benchmark\r\n' > "$dir/Script.qvs"
  sed -e 's/^Name = .*\r$/Name = Deutsch\r/' -e 's/^LangID = .*\r$/LangID = 1031\r/' \
    lang/English.lng > "$dir/Languages/A-Deutsch.lng"
  cp lang/English.lng "$dir/Languages/B-English.lng"
}
project() {
  local dir=$1
  rm -rf "$dir" && mkdir -p "$dir/Files/1"
  project_texts "$dir"
  printf 'small product file\r\n' > "$dir/Files/1/readme.txt"
}
mkdir -p "$WORK"
rm -rf "$WORK/small" "$WORK/prefix"
project "$WORK/small"
project_texts "$DATA"

# build NAME DIR: the installer $WORK/setup-NAME.exe, made again only when
# the builder, stub, module or data are newer than it.
build() {
  local name=$1 dir=$2 started ended input fresh=1
  for input in "$BUILD/host/builder/qvsbuild" "$BUILD/x64/startup/qvssetup.exe" \
               "$BUILD/x64/module/qvsunpack.dll" "$dir/Files"; do
    [ "$WORK/setup-$name.exe" -nt "$input" ] || fresh=0
  done
  if [ $fresh -eq 1 ] && [ "$name" = large ]; then
    printf '%-5s installer: %11d bytes (reused)\n' "$name" "$(stat -c %s "$WORK/setup-$name.exe")"
    return
  fi
  started=$(date +%s%N)
  "$BUILD/host/builder/qvsbuild" build "$dir" -o "$WORK/setup-$name.exe" --flavour x64 \
    --stub "$BUILD/x64/startup/qvssetup.exe" --module "$BUILD/x64/module/qvsunpack.dll" \
    --uninstaller "$BUILD/x64/uninstaller/qvsuninst.exe" --level 0 --quiet || { echo "startup bench: building the $name installer failed"; exit 1; }
  ended=$(date +%s%N)
  printf '%-5s installer: %11d bytes, built in %d.%d s (--level 0)\n' "$name" \
    "$(stat -c %s "$WORK/setup-$name.exe")" $(( (ended - started) / 1000000000 )) \
    $(( (ended - started) / 100000000 % 10 ))
}
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
build small "$WORK/small"
build large "$DATA"

# --- runs -----------------------------------------------------------------------
start_display || { echo "startup bench: no X display"; exit 1; }
make_template || { echo "startup bench: no Wine prefix template"; exit 1; }
prefix=$WORK/prefix
copy_prefix "$prefix"
current_prefix=$prefix
export WINEPREFIX=$prefix

# The Linux process running a Windows program: Wine gives it the Windows
# path as its command line.
unix_pid_of() {
  local file first
  # grep finds its own command line too: keep the process whose first word
  # is the program.
  for file in $(grep -zxlF -- "$1" /proc/[0-9]*/cmdline 2>/dev/null); do
    first=$({ head -z -n 1 "$file" | tr -d '\0'; } 2>/dev/null)
    [ "$first" = "$1" ] || continue
    file=${file#/proc/}
    echo "${file%/cmdline}"
    return 0
  done
  return 1
}

field() { awk -v k="$1:" '$1 == k {print $2}' "$2"; }

# run NAME: one launch; prints "ms rchar syscr read_bytes".
run() {
  local name=$1 exe log=$WORK/driver-$1.log pid="" ms
  exe=$(winpath "$WORK/setup-$name.exe")
  cat > "$WORK/commands.txt" <<CMDS
start $exe
wait-window "Language selection" 120000
elapsed dialog
sleep 4000
click 205
sleep 500
proc 0
wait-window "Please confirm"
answer yes
proc 1
wait-exit 20000
CMDS
  "$wine" "$BUILD/x64/tests/e2e/uidriver.exe" -f "$(winpath "$WORK/commands.txt")" > "$log" 2>&1 &
  local driver=$!
  for _ in $(seq 1200); do
    grep -q '^dialog elapsed' "$log" 2>/dev/null && break
    kill -0 "$driver" 2>/dev/null || break
    sleep 0.1
  done
  ms=$(tr -d '\r' < "$log" | sed -n 's/^dialog elapsed \([0-9]*\) ms$/\1/p')
  pid=$(unix_pid_of "$exe")
  if [ -z "$ms" ] || [ -z "$pid" ]; then
    wait "$driver"
    echo "startup bench: run of $name failed:" >&2
    cat "$log" >&2
    return 1
  fi
  cp "/proc/$pid/io" "$WORK/io"
  wait "$driver"
  echo "$ms $(field rchar "$WORK/io") $(field syscr "$WORK/io") $(field read_bytes "$WORK/io")"
}

# Warm up the prefix (first start of its Wine server and desktop).
"$wine" cmd /c exit >/dev/null 2>&1
echo "runs (launch to language dialog; bytes read by the installer process up to then):"
declare -A best_ms best_rchar
for name in small large; do
  for i in $(seq "$RUNS"); do
    result=$(run "$name") || exit 1
    set -- $result
    printf '  %-5s run %d: %6d ms  rchar %11d  syscr %6d  read_bytes %11d\n' "$name" "$i" "$1" "$2" "$3" "$4"
    if [ -z "${best_ms[$name]:-}" ] || [ "$1" -lt "${best_ms[$name]}" ]; then best_ms[$name]=$1; fi
    best_rchar[$name]=$2
  done
done
large_bytes=$(stat -c %s "$WORK/setup-large.exe")
echo "summary: small ${best_ms[small]} ms, large ${best_ms[large]} ms (best of $RUNS);" \
  "large reads $(( best_rchar[large] - best_rchar[small] )) bytes more than small," \
  "$(awk -v a="${best_rchar[large]}" -v b="$large_bytes" 'BEGIN {printf "%.2f%%", 100 * a / b}') of its $large_bytes-byte file"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
