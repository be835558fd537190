#!/usr/bin/env bash
# qvsbuild.exe, the builder for Windows, from its distribution folder under
# Wine: it imports only system DLLs, finds its stubs beside itself, and
# writes byte for byte what the Linux builder writes from the demo and from
# a project with nested folders, empty files, a file of several chunks,
# names outside ASCII and a read-only file, lying below a path longer than
# Windows' classic limit; verify and extract take its output, and a name
# outside Windows-1252 is refused with its UTF-8 name in the message; new,
# check and reference work on Windows paths. Then the OS layer's own checks
# (builder_os_test.exe).
set -u
cd "$(dirname "$0")/../.."
root=$PWD
build=${QVS_BUILD:-build}
mkdir -p "${QVS_OUT:-out}/builder-windows"
out=$(cd "${QVS_OUT:-out}" && pwd)
dist=$out/qvsbuild-windows
linux=$build/host/builder/qvsbuild
work=$out/builder-windows
rm -rf "$work/run" && mkdir -p "$work/run"
export WINEPREFIX=$work/prefix WINEDEBUG=-all
wine=$(command -v wine64 || command -v wine)
passed=0 failed=0
check() {  # check NAME COMMAND...: passes when the command succeeds
  local name=$1; shift
  if "$@" >"$work/check.log" 2>&1; then
    passed=$((passed + 1)); echo "ok   $name"
  else
    failed=$((failed + 1)); echo "FAIL $name"; sed 's/^/     /' "$work/check.log" | tail -n 20
  fi
}
windows() { echo "Z:${1//\//\\}"; }
exe=$dist/qvsbuild.exe
if [ ! -f "$exe" ]; then
  echo "FAIL $exe not built (make windows)"
  echo "RESULT 0 1"
  exit 1
fi

imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u | tr '\n' ' ')
check "qvsbuild.exe imports system DLLs only ($imports)" \
  bash -c "! echo '$imports' | tr ' ' '\n' | grep -vE '^(kernel32|msvcrt|shell32|advapi32|user32)\.dll$|^$'"
check "the distribution holds both flavours, English.lng, the reference, the demo and the README" \
  bash -c "cd '$dist' && ls i686/qvssetup.exe i686/qvsunpack.dll i686/qvsuninst.exe x64/qvssetup.exe \
    x64/qvsunpack.dll x64/qvsuninst.exe English.lng demo/Script.qvs README.txt &&
    cmp script-reference.md '$root/docs/script-reference.md'"

. tests/wine/prefix.sh
prepare_prefix
# qvsbuild.exe with its output and exit code: out.log and rc; succeeded
# says whether it ended with 0, and shows its output when not.
winbuild() {
  timeout 600 "$wine" "$exe" "$@" </dev/null >"$work/out.log" 2>&1
  echo $? >"$work/rc"
}
succeeded() { grep -qx 0 "$work/rc" || { cat "$work/out.log"; return 1; }; }
export TZ=UTC SOURCE_DATE_EPOCH=1000000000

# The demo, defaults only: the i686 flavour beside each builder.
winbuild build "$(windows "$dist/demo")" -o "$(windows "$work/run/demo-windows.exe")" --quiet
check "qvsbuild.exe builds the demo with the stubs beside it" succeeded
"$linux" build examples/demo -o "$work/run/demo-linux.exe" --quiet
check "the demo: qvsbuild.exe and qvsbuild write the same bytes" cmp "$work/run/demo-windows.exe" "$work/run/demo-linux.exe"
# Without SOURCE_DATE_EPOCH, in a zone with summer time: the files' own
# times, read as local-clock times by each system's own calendar.
TZ=America/New_York SOURCE_DATE_EPOCH= winbuild build "$(windows "$dist/demo")" -o "$(windows "$work/run/demo-zone-windows.exe")" --quiet
TZ=America/New_York SOURCE_DATE_EPOCH= "$linux" build examples/demo -o "$work/run/demo-zone-linux.exe" --quiet
check "the demo in New York time: the same bytes" cmp "$work/run/demo-zone-windows.exe" "$work/run/demo-zone-linux.exe"

# A project deep below a long path (over 260 characters in all).
deep=$work/run
for i in 1 2 3 4 5 6; do deep=$deep/folder-with-a-long-name-number-$i-of-the-deep-path; done
project=$deep/Project
mkdir -p "$project/Files/1/a/b/c" "$project/Files/20/Data" "$project/License"
cp examples/demo/Script.qvs "$project/"
printf 'Default licence\r\n' > "$project/License/Default.txt"
printf 'deep\n' > "$project/Files/1/a/b/c/deep.txt"
: > "$project/Files/1/empty.txt"
: > "$project/Files/1/a/empty too.bin"
printf 'z' > "$project/Files/1/Zebra.txt"
printf 'e' > "$project/Files/1/éclair.txt"
printf 'euro' > "$project/Files/1/€uro.txt"
printf 'u' > "$project/Files/1/a/über.txt"
printf 'kept as it is' > "$project/Files/1/read-only.txt" && chmod 0444 "$project/Files/1/read-only.txt"
# 1.6 MiB: four chunks, the first of noise, the rest compressible.
{ head -c 600000 /dev/urandom; yes 'a line of the manual' | head -c 1100000; } > "$project/Files/20/Data/big.bin"
winbuild build "$(windows "$project")" -o "$(windows "$work/run/project-windows.exe")" --flavour x64 \
  --add-english --threads 3 --quiet
check "qvsbuild.exe builds the deep project" succeeded
"$linux" build "$project" -o "$work/run/project-linux.exe" --flavour x64 --add-english --threads 1 --quiet \
  2>"$work/linux.log"
check "the deep project: the same bytes from both" cmp "$work/run/project-windows.exe" "$work/run/project-linux.exe"
check "the product files come in the order of their stored (Windows-1252) names" bash -c \
  "'$linux' list '$work/run/project-linux.exe' | grep -o ' 1\\\\.*' | tr '\n' '|' | grep -qF \
   ' 1\\Zebra.txt| 1\\a\\b\\c\\deep.txt| 1\\a\\empty too.bin| 1\\a\\über.txt| 1\\empty.txt| 1\\read-only.txt| 1\\€uro.txt| 1\\éclair.txt|'"
check "the read-only file keeps its attribute" bash -c \
  "'$linux' list '$work/run/project-linux.exe' | grep -q '0021  1\\\\read-only.txt'"

winbuild verify "$(windows "$work/run/project-windows.exe")"
check "qvsbuild.exe verifies it" grep -q ': OK, 13 entries' "$work/out.log"
winbuild extract "$(windows "$work/run/project-windows.exe")" -d "$(windows "$work/run/extracted")"
check "qvsbuild.exe extracts every product file as it was" \
  diff -r "$project/Files/1" "$work/run/extracted/1"
check "and the big one" cmp "$project/Files/20/Data/big.bin" "$work/run/extracted/20/Data/big.bin"

mkdir -p "$work/run/eastern/Files/1"
cp examples/demo/Script.qvs "$work/run/eastern/"
printf 'x' > "$work/run/eastern/Files/1/日本.txt"
winbuild build "$(windows "$work/run/eastern")" -o "$(windows "$work/run/eastern.exe")" --add-english --quiet
check "a name outside Windows-1252 is refused, named in UTF-8" bash -c \
  "grep -qx 1 '$work/rc' && grep -q '日本.txt: name is not representable' '$work/out.log' && [ ! -e '$work/run/eastern.exe' ]"

# new, check and reference: a new project in a folder named outside ASCII,
# below a folder that does not exist yet, made, checked and built by
# qvsbuild.exe into the Linux builder's bytes; a fault in it is named with
# its line; the reference is docs/script-reference.md byte for byte.
fresh=$work/run/Büro/Neues-Produkt-ü
winbuild new "$(windows "$fresh")\\"
check "qvsbuild.exe new makes a project, and the folder above it" succeeded
winbuild check --strict "$(windows "$fresh")"
check "it checks clean" bash -c "grep -qx 0 '$work/rc' && grep -q '0 error(s), 0 warning(s)' '$work/out.log'"
winbuild build "$(windows "$fresh")" -o "$(windows "$work/run/fresh-windows.exe")" --quiet
check "it builds" succeeded
"$linux" build "$fresh" -o "$work/run/fresh-linux.exe" --quiet
check "the new project: the same bytes from both" cmp "$work/run/fresh-windows.exe" "$work/run/fresh-linux.exe"
winbuild new "$(windows "$work/run/Büro")"
check "new refuses a folder that is not empty" bash -c "grep -qx 1 '$work/rc' && grep -q 'not an empty folder' '$work/out.log'"
sed -i 's/^ValueType = 0\r$/ValueType = 4\r/' "$fresh/Script.qvs"
winbuild check "$(windows "$fresh")"
check "check names the fault with its file and line" bash -c \
  "grep -qx 1 '$work/rc' && grep -q 'Neues-Produkt-ü.Script.qvs:[0-9]*: error: \\[31\\] ValueType = 4' '$work/out.log'"
timeout 120 "$wine" "$exe" reference </dev/null >"$work/run/reference.md" 2>"$work/out.log"
check "qvsbuild.exe reference prints docs/script-reference.md unchanged" cmp "$work/run/reference.md" docs/script-reference.md

# The OS layer on its own (tests/winbuilder).
os_test=$build/windows/tests/winbuilder/builder_os_test.exe
run_logged "$work/os_test.log" 120 "$wine" "$os_test"
grep '^FAIL' "$work/os_test.log"
line=$(grep '^checks: ' "$work/os_test.log" | tail -n 1)
echo "builder_os_test: ${line:-no summary}"
if [ -n "$line" ]; then
  set -- $line
  passed=$((passed + $2)); failed=$((failed + $4))
else
  failed=$((failed + 1))
fi

stop_prefix
echo "RESULT $passed $failed"
[ "$failed" -eq 0 ]
