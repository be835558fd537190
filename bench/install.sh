#!/usr/bin/env bash
# Installation benchmark under Wine, against NSIS, on the ~150 MB bench
# corpus (bench/corpus.sh). Prints, in one run:
#   - NSIS: installers of the same files made with makensis (amd64-unicode
#     stub, LZMA, solid and not), each installed silently (/S /D=C:\...),
#     timed from launch to exit;
#   - ours: our x64 installer's silent installation (/S /D=C:\...) timed
#     from launch to exit; and bench/module_bench extracting every product
#     file through the module's exports the way the installer does, with
#     the process's memory growth meanwhile;
#   - the builder: qvsbuild extract and verify against xz -d;
#   - the ratios against the targets.
# Every time is the faster of two runs.
#
# Needs build/host and build/x64 (make host x64; or the build root in
# QVS_BUILD), makensis (Debian package nsis) and wine. The installers are
# made once and again only when their inputs change. QVS_BENCH_BASELINE_MODULE
# names another x64 qvsunpack.dll (an older build) to time in the same run.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
build=$(cd "${QVS_BUILD:-build}" 2>/dev/null && pwd || echo "$top/${QVS_BUILD:-build}")
work=$top/out/bench-install
mkdir -p "$work"

qvsbuild=$build/host/builder/qvsbuild
stub=$build/x64/startup/qvssetup.exe
module=$build/x64/module/qvsunpack.dll
bench_exe=$build/x64/bench/module_bench.exe
baseline=${QVS_BENCH_BASELINE_MODULE:-}
for file in "$qvsbuild" "$stub" "$module" "$bench_exe"; do
  [ -f "$file" ] || { echo "install bench: $file is not built (make host x64)"; exit 1; }
done
for tool in makensis wine xz; do
  command -v "$tool" >/dev/null || { echo "install bench: $tool is missing (tools/setup.sh)"; exit 1; }
done

. bench/corpus.sh
make_corpus
files=$(find "$corpus/project/Files" -type f | wc -l)
bytes=$(find "$corpus/project/Files" -type f -printf '%s\n' | awk '{s += $1} END {print s}')
tarbytes=$(stat -c %s "$corpus/corpus.tar")
echo "corpus: $files files, $bytes bytes"

# newer OUTPUT INPUT...: true when OUTPUT exists and is newer than every input.
newer() {
  local output=$1 input
  shift
  [ -f "$output" ] || return 1
  for input in "$@"; do [ "$output" -nt "$input" ] || return 1; done
}

# --- installers -----------------------------------------------------------------
ours=$work/setup-x64.exe
if ! newer "$ours" "$corpus/.complete" "$corpus/project/Script.qvs" "$qvsbuild" "$stub" "$module"; then
  echo "install bench: building our x64 installer"
  "$qvsbuild" build "$corpus/project" -o "$ours" --flavour x64 --stub "$stub" --module "$module" \
    --threads 2 --quiet
fi
for kind in plain solid; do
  script=$work/nsis-$kind.nsi
  compressor=$([ $kind = solid ] && echo "/SOLID lzma" || echo lzma)
  cat > "$script" <<NSI
Unicode true
Target amd64-unicode
SetCompressor $compressor
SilentInstall silent
RequestExecutionLevel user
Name "Quorvantis benchmark"
OutFile "$work/nsis-$kind.exe"
InstallDir "C:\\qvsbench\\nsis"
Section
  SetOutPath "\$INSTDIR"
  File /r "$top/$corpus/project/Files/1/*"
SectionEnd
NSI
  if ! newer "$work/nsis-$kind.exe" "$corpus/.complete"; then
    echo "install bench: building the NSIS installer ($compressor)"
    makensis -V1 "$script"
  fi
done
printf 'installers: ours %s bytes, NSIS %s bytes (lzma), %s bytes (solid lzma)\n' \
  "$(stat -c %s "$ours")" "$(stat -c %s "$work/nsis-plain.exe")" "$(stat -c %s "$work/nsis-solid.exe")"

# --- Wine -------------------------------------------------------------------------
export WINEPREFIX=$work/prefix WINEDEBUG=-all
wine=$(command -v wine64 || command -v wine)
. tests/wine/prefix.sh
prepare_prefix
# One server for all runs, so that no run pays for starting it.
wineserver -p
trap stop_prefix EXIT
drive=$WINEPREFIX/drive_c
windows() { echo "Z:${1//\//\\}"; }

# The prefix's Wine server, whose processor time counts as the programs'
# own. It works in a folder named after the prefix's device and inode.
server_pid() {
  local folder pid
  folder=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
  for pid in $(pgrep -x wineserver64 || pgrep -x wineserver || true); do
    case $(readlink "/proc/$pid/cwd" 2>/dev/null) in */"$folder") echo "$pid"; return ;; esac
  done
}
server_ticks() {
  local pid
  pid=$(server_pid)
  [ -n "$pid" ] && awk '{print $14 + $15}' "/proc/$pid/stat" || echo 0
}

# wine_run LABEL FOLDER COMMAND...: runs a Windows program with FOLDER
# (below C:\) emptied first; keeps the wall seconds in $secs, the processor
# seconds of the program and the Wine server in $cpu, and the output
# (carriage returns dropped) in $work/LABEL.log.
wine_run() {
  local label=$1 folder=$2 started ended ticks
  shift 2
  rm -rf "${drive:?}/$folder"
  mkdir -p "$drive/$folder"
  ticks=$(server_ticks)
  started=$(date +%s%N)
  /usr/bin/time -f '%U %S' -o "$work/$label.cpu" "$@" > "$work/$label.raw" 2>&1 </dev/null || true
  ended=$(date +%s%N)
  ticks=$(( $(server_ticks) - ticks ))
  tr -d '\r' < "$work/$label.raw" | grep -v -e wine32 -e multiarch -e 'dpkg --add' -e 'wine32:i386' \
    > "$work/$label.log" || true
  secs=$(awk -v n=$((ended - started)) 'BEGIN {printf "%.3f", n / 1e9}')
  cpu=$(awk -v t="$ticks" -v hz="$(getconf CLK_TCK)" '{printf "%.2f", $1 + $2 + t / hz}' \
    "$work/$label.cpu")
}
keep_faster() {  # NAME: keeps $secs and $cpu as NAME_secs, NAME_cpu unless NAME holds a faster run
  local best
  best=$(eval "echo \${${1}_secs:-}")
  if [ -z "$best" ] || awk -v a="$secs" -v b="$best" 'BEGIN {exit !(a < b)}'; then
    eval "${1}_secs=$secs ${1}_cpu=${cpu:-0}"
  fi
}
installed_files() { find "$drive/$1" -type f | wc -l; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.3f", a / b}'; }
rate() { awk -v b="$1" -v s="$2" 'BEGIN {printf "%.1f", b / 1e6 / s}'; }

# Other work on the machine distorts wall times: say how busy it was.
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
"$wine" cmd /c exit >/dev/null 2>&1 || true  # settles the prefix's first start
ours_growth_kib=0
for round in 1 2; do
  for kind in plain solid; do
    wine_run nsis-$kind qvsbench/nsis "$wine" "$work/nsis-$kind.exe" /S '/D=C:\qvsbench\nsis'
    keep_faster nsis_$kind
    got=$(installed_files qvsbench/nsis)
    [ "$got" = "$files" ] || echo "warning: NSIS ($kind) installed $got of $files files"
  done
  wine_run ours qvsbench/ours "$wine" "$bench_exe" "$(windows "$module")" "$(windows "$ours")" \
    'C:\qvsbench\ours\'
  keep_faster ours
  line=$(grep '^files ' "$work/ours.log" || true)
  [ -n "$line" ] || { cat "$work/ours.log"; echo "install bench: module_bench failed"; exit 1; }
  [ "$(echo "$line" | awk '{print $2}')" = "$files" ] || echo "warning: ours: $line"
  growth=$(echo "$line" | awk '{print $8}')
  [ "$growth" -gt "$ours_growth_kib" ] && ours_growth_kib=$growth
  if [ -n "$baseline" ]; then
    wine_run baseline qvsbench/ours "$wine" "$bench_exe" "$(windows "$(realpath "$baseline")")" \
      "$(windows "$ours")" 'C:\qvsbench\ours\'
    keep_faster baseline
  fi
done
printf 'NSIS lzma:          %7.2f s  cpu %6.2f s (program and Wine server)\n' "$nsis_plain_secs" \
  "$nsis_plain_cpu"
printf 'NSIS solid lzma:    %7.2f s  cpu %6.2f s\n' "$nsis_solid_secs" "$nsis_solid_cpu"
printf 'ours (module):      %7.2f s  cpu %6.2f s  %s MB/s  memory growth %s KiB\n' "$ours_secs" \
  "$ours_cpu" "$(rate "$bytes" "$ours_secs")" "$ours_growth_kib"
if [ -n "$baseline" ]; then
  printf 'baseline module:    %7.2f s  cpu %6.2f s  (%s)\n' "$baseline_secs" "$baseline_cpu" "$baseline"
fi

# --- our installer, full silent installation ---------------------------------------
# From launch to exit, like NSIS above: start-up (module, payload walk, the
# checks), the extraction and everything after it.
for round in 1 2; do
  wine_run ours-setup qvsbench/ours-setup "$wine" "$ours" /S '/D=C:\qvsbench\ours-setup'
  keep_faster ours_setup
  got=$(installed_files qvsbench/ours-setup)
  [ "$got" = "$files" ] || echo "warning: our installer installed $got of $files files"
done
printf 'ours (installer):   %7.2f s  cpu %6.2f s  %s MB/s\n' "$ours_setup_secs" "$ours_setup_cpu" \
  "$(rate "$bytes" "$ours_setup_secs")"

# --- builder ------------------------------------------------------------------------
# xz -d of the same files as one tar, written to disk as extract writes its files.
xz_file=$work/corpus.tar.xz
if ! newer "$xz_file" "$corpus/.complete"; then
  echo "install bench: compressing the corpus with xz -6"
  xz -6 -T2 -c -k "$corpus/corpus.tar" > "$xz_file"
fi
# host_run COMMAND...: wall seconds in $secs, processor seconds in $cpu.
host_run() {
  local started
  started=$(date +%s%N)
  /usr/bin/time -f '%U %S' -o "$work/host.cpu" "$@"
  secs=$(awk -v n=$(($(date +%s%N) - started)) 'BEGIN {printf "%.3f", n / 1e9}')
  cpu=$(awk '{printf "%.2f", $1 + $2}' "$work/host.cpu")
}
for round in 1 2; do
  host_run sh -c 'xz -d -T1 -c "$1" > "$2"' xz "$xz_file" "$work/xzd.tar"
  keep_faster xzd
  rm -f "$work/xzd.tar"
  rm -rf "$work/extracted"
  host_run "$qvsbuild" extract "$ours" -d "$work/extracted" > /dev/null
  keep_faster extract
  host_run "$qvsbuild" verify "$ours" > /dev/null
  keep_faster verify
done
rm -rf "$work/extracted"
printf 'xz -d -T1:          %7.2f s  cpu %6.2f s  %s MB/s\n' "$xzd_secs" "$xzd_cpu" \
  "$(rate "$tarbytes" "$xzd_secs")"
printf 'qvsbuild extract:   %7.2f s  cpu %6.2f s  %s MB/s\n' "$extract_secs" "$extract_cpu" \
  "$(rate "$bytes" "$extract_secs")"
printf 'qvsbuild verify:    %7.2f s  cpu %6.2f s  %s MB/s\n' "$verify_secs" "$verify_cpu" \
  "$(rate "$bytes" "$verify_secs")"

echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
if awk -v l="$(cut -d' ' -f1 /proc/loadavg)" -v n="$(nproc)" 'BEGIN {exit !(l > n - 0.5)}'; then
  echo "warning: the machine was busy (load above $(nproc) cores less a half): wall-time ratios are unreliable"
fi

# --- targets --------------------------------------------------------------------------
# Speeds relative to xz -d: bytes per second of each against the tar's.
vs_xzd() { awk -v b="$bytes" -v s="$1" -v t="$tarbytes" -v x="$xzd_secs" 'BEGIN {printf "%.3f", (b / s) / (t / x)}'; }
at_most() { awk -v v="$1" -v t="$2" 'BEGIN {print (v <= t) ? "met" : "MISSED"}'; }
at_least() { awk -v v="$1" -v t="$2" 'BEGIN {print (v >= t) ? "met" : "MISSED"}'; }
ours_vs_nsis=$(ratio "$ours_secs" "$nsis_plain_secs")
echo "targets:"
echo "  ours (module) / NSIS lzma            $ours_vs_nsis  (<= 0.667: $(at_most "$ours_vs_nsis" 0.667));" \
  "against solid lzma $(ratio "$ours_secs" "$nsis_solid_secs")"
setup_vs_nsis=$(ratio "$ours_setup_secs" "$nsis_plain_secs")
echo "  ours (installer) / NSIS lzma         $setup_vs_nsis  (<= 0.667: $(at_most "$setup_vs_nsis" 0.667));" \
  "against solid lzma $(ratio "$ours_setup_secs" "$nsis_solid_secs")"
extract_ratio=$(vs_xzd "$extract_secs")
verify_ratio=$(vs_xzd "$verify_secs")
echo "  qvsbuild extract / xz -d             $extract_ratio  (>= 1.3: $(at_least "$extract_ratio" 1.3))"
echo "  qvsbuild verify / xz -d              $verify_ratio  (>= 1.3: $(at_least "$verify_ratio" 1.3))"
echo "  memory growth during extraction      $ours_growth_kib KiB  (<= 16384: $(at_most "$ours_growth_kib" 16384))"
# Processor time hardly depends on how busy the machine is; wall time does.
echo "processor time, ours (module) / NSIS lzma: $(ratio "$ours_cpu" "$nsis_plain_cpu")"
echo "processor time, ours (installer) / NSIS lzma: $(ratio "$ours_setup_cpu" "$nsis_plain_cpu")"
