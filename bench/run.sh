#!/usr/bin/env bash
# Builder and extraction benchmark on a ~150 MB corpus taken from this
# machine (Wine's Windows DLLs, shared libraries, /usr/bin programs,
# /usr/share/doc and other /usr/share files), as Files/1 of a project in
# out/bench-corpus. Prints, in one run: qvsbuild with 1 and 2 threads, xz -6
# with 1 and 2 threads on the same corpus as one tar (each the faster of two
# runs), archive extraction against xz -d, peak memory, the size against
# compressing each 512 KiB chunk alone, and the ratios against the targets.
#
# Needs the host build (build/host, or QVS_BENCH_BUILD). The corpus is made
# once and reused; delete out/bench-corpus to make it again.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
build=${QVS_BENCH_BUILD:-build/host}
qvsbuild=$build/builder/qvsbuild
work=out/bench
mkdir -p "$work"

[ -x "$qvsbuild" ] || { echo "bench: $qvsbuild not built (make host)"; exit 1; }
for tool in xz tar /usr/bin/time g++; do
  command -v "$tool" >/dev/null || { echo "bench: $tool is missing"; exit 1; }
done

# --- corpus -----------------------------------------------------------------
. bench/corpus.sh
make_corpus
files=$(find "$corpus/project/Files" -type f | wc -l)
bytes=$(find "$corpus/project/Files" -type f -printf '%s\n' | awk '{s += $1} END {print s}')
tarbytes=$(stat -c %s "$corpus/corpus.tar")
echo "corpus: $files files, $bytes bytes ($((bytes / 1000000)) MB); tar $tarbytes bytes"

# --- helpers ----------------------------------------------------------------
for helper in extract_bench chunk_bench; do
  if [ ! -x "$work/$helper" ] || [ "bench/$helper.cpp" -nt "$work/$helper" ] ||
     [ "$build/archive/libqvs_archive.a" -nt "$work/$helper" ]; then
    g++ -std=c++17 -O2 -Wall -Wextra -I. "bench/$helper.cpp" \
      "$build/builder/libqvs_builder_lib.a" "$build/format/libqvs_format.a" \
      "$build/archive/libqvs_archive.a" -llzma -lz -pthread \
      -o "$work/$helper"
  fi
done

# measure LABEL COMMAND...: runs it under /usr/bin/time -v, keeps wall
# seconds in $secs and the peak resident set in $rss_kb.
measure() {
  local label=$1; shift
  /usr/bin/time -v -o "$work/time-$label" "$@" > "$work/out-$label"
  secs=$(awk -F': ' '/Elapsed \(wall clock\)/ {n = split($2, t, ":"); s = 0;
                     for (i = 1; i <= n; i++) s = s * 60 + t[i]; print s}' "$work/time-$label")
  rss_kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time-$label")
  cpu=$(awk -F': ' '/User time|System time/ {s += $2} END {printf "%.2f", s}' "$work/time-$label")
}
# keep_faster NAME: keeps the last measure's seconds, peak and CPU time as
# NAME_secs, NAME_rss and NAME_cpu unless NAME already holds a faster run.
keep_faster() {
  local best
  best=$(eval "echo \${${1}_secs:-}")
  if [ -z "$best" ] || awk -v a="$secs" -v b="$best" 'BEGIN {exit !(a < b)}'; then
    eval "${1}_secs=$secs ${1}_rss=$rss_kb ${1}_cpu=$cpu"
  fi
}
rate() { awk -v b="$1" -v s="$2" 'BEGIN {printf "%.2f", b / 1e6 / s}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.3f", a / b}'; }
mib() { awk -v k="$1" 'BEGIN {printf "%.1f", k / 1024}'; }

# Other work on the machine distorts wall times: say how busy it was.
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"

# --- builder ----------------------------------------------------------------
export SOURCE_DATE_EPOCH=1700000000
# Each build runs twice, alternating 1 and 2 threads, and the faster run of
# each counts: on a shared machine the same work's time swings by several
# percent, and the slower run measures the neighbours more than the builder.
for round in 1 2; do
  for threads in 1 2; do
    measure build$threads "$qvsbuild" build "$corpus/project" -o "$work/bench-t$threads.exe" \
      --stub "$corpus/stub.exe" --module "$corpus/module.dll" --threads "$threads" --quiet
    keep_faster build$threads
  done
done
size_build=$(stat -c %s "$work/bench-t1.exe")
cmp -s "$work/bench-t1.exe" "$work/bench-t2.exe" && same=yes || same=NO
# One more worker costs the difference between the two peaks.
per_thread=$((build2_rss - build1_rss))
printf 'qvsbuild -T1: %6.2f s  %7s MB/s  cpu %6.2f s  peak %s MiB\n' "$build1_secs" \
  "$(rate "$bytes" "$build1_secs")" "$build1_cpu" "$(mib "$build1_rss")"
printf 'qvsbuild -T2: %6.2f s  %7s MB/s  cpu %6.2f s  peak %s MiB (+%s MiB for the second thread)\n' \
  "$build2_secs" "$(rate "$bytes" "$build2_secs")" "$build2_cpu" "$(mib "$build2_rss")" "$(mib "$per_thread")"
# Wall time against half the CPU time: 1.00 when both workers are busy
# throughout; above it, time spent waiting.
echo "2 threads: wall time / (cpu / 2) = $(awk -v w="$build2_secs" -v c="$build2_cpu" 'BEGIN {printf "%.3f", w / (c / 2)}')"
echo "installer: $size_build bytes ($(ratio "$size_build" "$bytes") of the input); 1 and 2 threads identical: $same"

# --- xz on the same corpus --------------------------------------------------
# The faster of two runs each, as for the builder.
for round in 1 2; do
  for threads in 1 2; do
    measure xz$threads xz -6 -T"$threads" -c -k "$corpus/corpus.tar"
    mv "$work/out-xz$threads" "$work/corpus-T$threads.tar.xz"
    keep_faster xz$threads
  done
done
for threads in 1 2; do
  eval "secs=\$xz${threads}_secs cpu=\$xz${threads}_cpu"
  printf 'xz -6 -T%s:    %6.2f s  %7s MB/s  cpu %6.2f s  %s bytes\n' "$threads" "$secs" \
    "$(rate "$tarbytes" "$secs")" "$cpu" "$(stat -c %s "$work/corpus-T$threads.tar.xz")"
done

# --- extraction -------------------------------------------------------------
measure extract "$work/extract_bench" "$work/bench-t1.exe"
extract_secs=$secs extract_rss=$rss_kb
measure xzd xz -d -T1 -c "$work/corpus-T1.tar.xz"
xzd_secs=$secs
rm -f "$work/out-xzd"
printf 'extract:      %6.2f s  %7s MB/s  peak %s MiB\n' "$extract_secs" "$(rate "$bytes" "$extract_secs")" "$(mib "$extract_rss")"
printf 'xz -d -T1:    %6.2f s  %7s MB/s\n' "$xzd_secs" "$(rate "$tarbytes" "$xzd_secs")"
xz_size=$(stat -c %s "$work/corpus-T1.tar.xz")
# LZMA decoding costs per compressed byte: per-chunk coding compresses less,
# so it has more to decode. This separates decoder speed from that.
printf 'decoding per compressed byte: archive %s MB/s, xz %s MB/s\n' \
  "$(rate "$size_build" "$extract_secs")" "$(rate "$xz_size" "$xzd_secs")"

# --- size against chunks compressed alone -----------------------------------
"$work/chunk_bench" "$work/bench-t1.exe" | sed 's/^/chunks alone: /'

echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
# On a busy machine wall times measure the other work too; CPU seconds do
# not. These two lines hold however busy the machine is.
echo "cpu-time throughput: qvsbuild $(rate "$bytes" "$build1_cpu") MB/s, xz -6 $(rate "$tarbytes" "$xz1_cpu") MB/s;" \
  "2 threads spend $(ratio "$build2_cpu" "$build1_cpu")x the cpu of 1 thread"
if awk -v l="$(cut -d' ' -f1 /proc/loadavg)" -v n="$(nproc)" 'BEGIN {exit !(l > n - 0.5)}'; then
  echo "warning: the machine was busy (load above $(nproc) cores less a half): wall-time ratios below understate"
fi

# --- targets ----------------------------------------------------------------
speedup=$(ratio "$build1_secs" "$build2_secs")
vs_xz=$(awk -v b="$bytes" -v bs="$build2_secs" -v t="$tarbytes" -v xs="$xz2_secs" 'BEGIN {printf "%.3f", (b / bs) / (t / xs)}')
vs_xzd=$(awk -v b="$bytes" -v es="$extract_secs" -v t="$tarbytes" -v xs="$xzd_secs" 'BEGIN {printf "%.3f", (b / es) / (t / xs)}')
check() { awk -v v="$1" -v t="$2" 'BEGIN {print (v >= t) ? "met" : "MISSED"}'; }
echo "targets:"
echo "  build 2 threads / 1 thread        $speedup  (>= 1.85: $(check "$speedup" 1.85))"
echo "  build 2 threads / xz -6 -T2       $vs_xz  (>= 1.8: $(check "$vs_xz" 1.8))"
echo "  extraction / xz -d                $vs_xzd  (>= 1.0: $(check "$vs_xzd" 1.0))"
echo "  build memory per thread (T2 - T1)  $(mib "$per_thread") MiB  (< 16: $([ "$per_thread" -lt 16384 ] && echo met || echo MISSED))"
echo "  extraction memory                 $(mib "$extract_rss") MiB  (< 16: $([ "$extract_rss" -lt 16384 ] && echo met || echo MISSED))"
