#!/usr/bin/env bash
# How long `qvsbuild check` takes on a large project: the project "qvsbuild
# new" writes, grown to 10,000 components (each with its two text groups and
# a Files/<id> folder holding one file), checked RUNS times. Prints the
# script's size and each run's wall-clock and processor time; the check
# must stay well under a second.
#
# usage: bench/check.sh [RUNS]      (5 by default; needs build/host)
set -eu
cd "$(dirname "$0")/.."
qvsbuild=${QVS_BUILD:-build}/host/builder/qvsbuild
work=out/bench-check
runs=${1:-5}
components=10000
rm -rf "$work" && mkdir -p "$work"
"$qvsbuild" new "$work/Big" >/dev/null
script=$work/Big/Script.qvs

# Component 1 stays as made; components 1001 and on join it, each named in
# the list and given its group, its texts and its folder of files.
ids=$(seq 1001 $((1000 + components - 1)) | paste -sd, -)
awk -v ids="$ids" '
  /^Items = 1\r$/ && !done { print "Items = 1," ids "\r"; done = 1; next }
  /^\[LookAndFeel\]\r$/ {
    n = split(ids, list, ",")
    for (i = 1; i <= n; i++) {
      id = list[i]
      printf "[%d]\r\nID = %d\r\nCategoryID = 10\r\nInternalName = Part%d\r\n", id, id, id
      printf "LocalizedNameID = %d\r\nDescriptionID = %d\r\n", 100000 + id, 200000 + id
      printf "PathVariable = <part%d>\r\nInstallationPath = <AppDir>\\part%d\r\n", id, id
      printf "IsMarked = 1\r\n\r\n[%d]\r\n1033 = Part %d\r\n-1 = Part %d\r\n\r\n", 100000 + id, id, id
      printf "[%d]\r\n1033 = The part %d\r\n-1 = The part %d\r\n\r\n", 200000 + id, id, id
    }
  }
  { print }' "$script" > "$script.new"
mv "$script.new" "$script"
for id in $(seq 1001 $((1000 + components - 1))); do
  mkdir "$work/Big/Files/$id" && : > "$work/Big/Files/$id/part.txt"
done

echo "script: $components components, $(grep -c '^\[' "$script") groups, $(stat -c %s "$script") bytes"
for run in $(seq "$runs"); do
  /usr/bin/time -f "run $run: %e s wall, %U s user + %S s system" "$qvsbuild" check "$work/Big" >"$work/out.log" 2>"$work/time.log" ||
    { cat "$work/out.log" "$work/time.log"; exit 1; }
  grep -q '0 error(s), 0 warning(s)' "$work/out.log" || { cat "$work/out.log"; exit 1; }
  cat "$work/time.log"
done
