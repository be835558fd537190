#!/usr/bin/env bash
# The installer stub as a file, both flavours: a GUI program with its
# manifest and icon, importing system DLLs only, holding no marker text in
# plain form (the stub would find itself), and small enough that the i686
# stub and module leave the end marker inside the first 1 MiB; and the
# uninstaller, a GUI program of the same kind.
set -u
cd "$(dirname "$0")/../.."
build=${QVS_BUILD:-build}
passed=0 failed=0
pass() { echo "ok: $1"; passed=$((passed + 1)); }
fail() { echo "FAIL: $1"; failed=$((failed + 1)); }
check() { if eval "$2"; then pass "$1"; else fail "$1"; fi; }

for flavour in i686 x64; do
  stub=$build/$flavour/startup/qvssetup.exe
  triplet=$([ $flavour = i686 ] && echo i686-w64-mingw32 || echo x86_64-w64-mingw32)
  if [ ! -f "$stub" ]; then fail "$flavour stub built ($stub)"; continue; fi
  dump=$($triplet-objdump -p "$stub")
  check "$flavour is a GUI program" "echo \"\$dump\" | grep -qE '^Subsystem[[:space:]]+0+2[[:space:]]'"
  markers=$(strings -a "$stub" | grep -c QVS_CONFIG)
  check "$flavour holds no plain marker text ($markers found)" "[ '$markers' = 0 ]"
  imports=$(echo "$dump" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
  check "$flavour imports only system DLLs ($imports)" \
    "! echo '$imports' | tr ' ' '\n' | grep -qvE '^(kernel32|user32|gdi32|advapi32|shell32|comctl32|ole32|msvcrt)\.dll$|^$'"
  # Functions of Windows 2000 and later are looked up when used: imported
  # by name, they would keep the stub from starting on the systems before.
  late=$(echo "$dump" | grep -cE ' (ConvertSidToStringSidA|ConvertStringSecurityDescriptorToSecurityDescriptorA|GetSecurityInfo|GetFinalPathNameByHandle[AW]|SetDefaultDllDirectories)$')
  check "$flavour imports no function of later systems by name ($late found)" "[ '$late' = 0 ]"
  text=$(strings -a "$stub")
  check "$flavour manifest asks for common controls 6" \
    "echo \"\$text\" | grep -q 'Microsoft.Windows.Common-Controls' && echo \"\$text\" | grep -q 'version=\"6.0.0.0\"'"
  check "$flavour manifest runs as invoker" "echo \"\$text\" | grep -q 'level=\"asInvoker\"'"
  # Without it Windows 8.1 and later tell the stub they are Windows 8.
  check "$flavour manifest names Windows 10 and 11" "echo \"\$text\" | grep -q '8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a'"
  resources=$($triplet-objdump -h "$stub" | grep -c '\.rsrc')
  check "$flavour carries resources (icon, manifest)" "[ '$resources' = 1 ]"
done

# The uninstaller, both flavours: the same kind of program, written beside
# every installed product, so small as well.
for flavour in i686 x64; do
  program=$build/$flavour/uninstaller/qvsuninst.exe
  triplet=$([ $flavour = i686 ] && echo i686-w64-mingw32 || echo x86_64-w64-mingw32)
  if [ ! -f "$program" ]; then fail "$flavour uninstaller built ($program)"; continue; fi
  dump=$($triplet-objdump -p "$program")
  check "$flavour uninstaller is a GUI program" "echo \"\$dump\" | grep -qE '^Subsystem[[:space:]]+0+2[[:space:]]'"
  imports=$(echo "$dump" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
  check "$flavour uninstaller imports only system DLLs ($imports)" \
    "! echo '$imports' | tr ' ' '\n' | grep -qvE '^(kernel32|user32|gdi32|advapi32|shell32|comctl32|ole32|msvcrt)\.dll$|^$'"
  late=$(echo "$dump" | grep -cE ' (ConvertSidToStringSidA|ConvertStringSecurityDescriptorToSecurityDescriptorA|GetSecurityInfo|GetFinalPathNameByHandle[AW]|SetDefaultDllDirectories)$')
  check "$flavour uninstaller imports no function of later systems by name ($late found)" "[ '$late' = 0 ]"
  text=$(strings -a "$program")
  check "$flavour uninstaller manifest: common controls 6, as invoker, Windows 10 and 11" \
    "echo \"\$text\" | grep -q 'Microsoft.Windows.Common-Controls' && echo \"\$text\" | grep -q 'level=\"asInvoker\"' && echo \"\$text\" | grep -q '8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a'"
  size=$(stat -c %s "$program")
  check "$flavour uninstaller under 512 KiB ($size bytes)" "[ $size -le 524288 ]"
done

# Layout: stub, 20-byte start marker, 12-byte header, module, 18-byte end
# marker; all of it within the first 1,048,576 bytes.
stub=$build/i686/startup/qvssetup.exe
module=$build/i686/module/qvsunpack.dll
if [ -f "$stub" ] && [ -f "$module" ]; then
  stub_size=$(stat -c %s "$stub") module_size=$(stat -c %s "$module")
  end=$((stub_size + 32 + module_size + 18))
  echo "i686 stub $stub_size bytes, module $module_size bytes, end marker ends at $end"
  check "i686 end marker within the first 1 MiB" "[ $end -le 1048576 ]"
  # A budget that keeps room for the module below the 1 MiB limit.
  check "i686 stub under 768 KiB" "[ $stub_size -le 786432 ]"
else
  fail "i686 stub and module built"
fi

echo "RESULT $passed $failed"
[ "$failed" -eq 0 ]
