#!/usr/bin/env bash
# The unpacker module under Wine: its exports and imports, the self-made
# edge-case installers, an installer the builder made from examples/demo, and
# the same installer signed by qvsbuild --sign with a throwaway key.
set -u
cd "$(dirname "$0")/../.."
root=$PWD
mkdir -p "${QVS_OUT:-out}/wine-module"
work=$(cd "${QVS_OUT:-out}/wine-module" && pwd)
rm -rf "$work/run" "$work/sign"
mkdir -p "$work/prefix" "$work/run" "$work/sign"
export WINEPREFIX=$work/prefix WINEDEBUG=-all
build=${QVS_BUILD:-build}  # another build root, for trying the suite
wine=$(command -v wine64 || command -v wine)
. tests/wine/prefix.sh
prepare_prefix
passed=0 failed=0
pass() { echo "ok: $1"; passed=$((passed + 1)); }
fail() { echo "FAIL: $1"; failed=$((failed + 1)); }
check() { if eval "$2"; then pass "$1"; else fail "$1"; fi; }
windows() { echo "Z:${1//\//\\}"; }

# The DLL of both flavours: 18 plain export names, system DLLs only, and no
# marker text in plain form (the module sits inside the configuration block).
for flavour in i686 x64; do
  dll=$build/$flavour/module/qvsunpack.dll
  triplet=$([ $flavour = i686 ] && echo i686-w64-mingw32 || echo x86_64-w64-mingw32)
  if [ ! -f "$dll" ]; then fail "$flavour module built ($dll)"; continue; fi
  dump=$($triplet-objdump -p "$dll")
  names=$(echo "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep -c '\] Quorvantis_[A-Za-z_]*$')
  # The original 18 and the two that read through the stub's handle.
  check "$flavour exports 20 undecorated names" "[ '$names' = 20 ]"
  imports=$(echo "$dump" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
  check "$flavour imports only system DLLs ($imports)" \
    "! echo '$imports' | tr ' ' '\n' | grep -qvE '^(kernel32|msvcrt|user32|advapi32)\.dll$|^$'"
  check "$flavour holds no plain marker" "! grep -q -a -e '\$_QVS_CONFIG_START_\$' -e '\$_QVS_CONFIG_END_\$' '$dll'"
done

dll=$build/x64/module/qvsunpack.dll
test_exe=$build/x64/tests/wine/module_test.exe
extraction_exe=$build/x64/tests/wine/module_extraction_test.exe
builder=$build/host/builder/qvsbuild
run_test() {  # label, arguments...
  local label=$1; shift
  local log=$work/$label.log
  run_logged "$log" 600 "$wine" "$test_exe" "$@"
  grep -E '^(FAIL|entries:|memory growth)' "$log"
  local line p f
  line=$(grep '^checks: ' "$log" | tail -n 1)
  if [ -z "$line" ]; then tail -n 20 "$log"; fail "$label: no summary"; return; fi
  p=$(echo "$line" | sed 's/checks: \([0-9]*\) passed, \([0-9]*\) failed/\1/')
  f=$(echo "$line" | sed 's/checks: \([0-9]*\) passed, \([0-9]*\) failed/\2/')
  echo "$label: $line"
  passed=$((passed + p)); failed=$((failed + f))
}

if [ -f "$test_exe" ] && [ -f "$dll" ]; then
  run_test selftest selftest "$(windows "$root/$dll")" "$(windows "$work/run")"
else
  fail "module_test.exe and the x64 module built"
fi

# Extraction with the decode-ahead workers: skips, retries, memory, unloading.
if [ -f "$extraction_exe" ] && [ -f "$dll" ]; then
  rm -rf "$work/extraction" && mkdir -p "$work/extraction"
  test_exe=$extraction_exe run_test extraction "$(windows "$root/$dll")" "$(windows "$work/extraction")"
else
  fail "module_extraction_test.exe built"
fi

# An installer from the builder. The x64 module stands in for the stub: any
# PE file without marker text will do for reading and signing.
installer=$work/demo-x64.exe
if [ -x "$builder" ] && "$builder" build examples/demo -o "$installer" --flavour x64 \
     --stub "$dll" --module "$dll" --uninstaller "$dll" --quiet; then
  pass "builder made the demo installer"
  rm -rf "$work/run" && mkdir -p "$work/run"
  run_test builder-installer check "$(windows "$root/$dll")" "$(windows "$installer")" \
    "$(windows "$root/examples/demo")" "$(windows "$work/run")"

  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/sign/key.pem" -out "$work/sign/cert.pem" \
    -days 2 -subj /CN=qvs-test >/dev/null 2>&1
  openssl pkcs12 -export -inkey "$work/sign/key.pem" -in "$work/sign/cert.pem" \
    -out "$work/sign/test.pfx" -passout pass:
  signed=$work/sign/demo-x64-signed.exe
  if "$builder" build examples/demo -o "$signed" --flavour x64 --stub "$dll" --module "$dll" \
       --uninstaller "$dll" --quiet --sign "$work/sign/test.pfx" >"$work/sign/sign.log" 2>&1 &&
     [ "$(stat -c %s "$signed")" -gt "$(stat -c %s "$installer")" ]; then
    pass "qvsbuild --sign signed the installer"
    rm -rf "$work/run" && mkdir -p "$work/run"
    run_test signed-installer check "$(windows "$root/$dll")" "$(windows "$signed")" \
      "$(windows "$root/examples/demo")" "$(windows "$work/run")"
  else
    cat "$work/sign/sign.log"; fail "qvsbuild --sign signed the installer"
  fi
else
  fail "builder made the demo installer ($builder)"
fi

stop_prefix
echo "RESULT $passed $failed"
[ "$failed" -eq 0 ]
