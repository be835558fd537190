#!/usr/bin/env bash
# qvsbuild from the command line: argument handling and exit codes, a build
# of the demo project with stand-in stub and module, list/verify/extract, a
# Ctrl-C during a build leaving no file behind, signing; new, check and
# reference.
set -u
cd "$(dirname "$0")/../.."
qvsbuild=${QVS_BUILDER:-build/host/builder/qvsbuild}
work=$(mktemp -d /tmp/qvs-suite-builder-XXXXXX)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0
check() {  # check NAME EXPECTED-EXIT COMMAND...
  local name=$1 expected=$2; shift 2
  "$@" >"$work/log" 2>&1
  local rc=$?
  if [ "$rc" -eq "$expected" ]; then
    passed=$((passed + 1)); echo "ok   $name"
  else
    failed=$((failed + 1)); echo "FAIL $name (exit $rc, expected $expected)"; sed 's/^/     /' "$work/log"
  fi
}

printf 'MZ stand-in stub' > "$work/stub.exe"
printf 'MZ stand-in module' > "$work/module.dll"
printf 'MZ stand-in uninstaller' > "$work/uninstaller.exe"
opts=(--stub "$work/stub.exe" --module "$work/module.dll" --uninstaller "$work/uninstaller.exe" --quiet)

check "usage without arguments" 2 "$qvsbuild"
check "unknown command" 2 "$qvsbuild" frobnicate
check "unknown option" 2 "$qvsbuild" build examples/demo -o "$work/x.exe" --fast
check "bad level" 2 "$qvsbuild" build examples/demo -o "$work/x.exe" --level 12
check "missing project" 1 "$qvsbuild" build "$work/nothing" -o "$work/x.exe" "${opts[@]}"
check "missing stub names the option" 0 bash -c "'$qvsbuild' build examples/demo -o '$work/x.exe' --stub '$work/none.exe' 2>&1 | grep -q -- '--stub FILE'"
check "missing uninstaller names the option" 0 bash -c "'$qvsbuild' build examples/demo -o '$work/x.exe' --stub '$work/stub.exe' --module '$work/module.dll' --uninstaller '$work/none.exe' 2>&1 | grep -q -- '--uninstaller FILE'"
check "demo builds" 0 "$qvsbuild" build examples/demo -o "$work/demo.exe" "${opts[@]}" --threads 2
check "demo lists" 0 "$qvsbuild" list "$work/demo.exe"
check "list shows a stored time by the calendar (a leap day)" 0 bash -c \
  "TZ=UTC SOURCE_DATE_EPOCH=951827696 '$qvsbuild' build examples/demo -o '$work/leap.exe' ${opts[*]} &&
   '$qvsbuild' list '$work/leap.exe' | grep -q 'written 2000-02-29 12:34:56'"
check "demo verifies" 0 "$qvsbuild" verify "$work/demo.exe"
check "demo extracts" 0 "$qvsbuild" extract "$work/demo.exe" -d "$work/files"
check "extracted file equals its source" 0 cmp "$work/files/20/Readme.txt" examples/demo/Files/20/Readme.txt
check "garbage is not an installer" 1 "$qvsbuild" verify "$work/stub.exe"

# A new project checks clean and builds; a fault in it is named with its
# line and refuses the build; a warning does so only with --strict.
check "new makes a project" 0 "$qvsbuild" new "$work/fresh"
check "new refuses a folder in use" 1 "$qvsbuild" new "$work/fresh"
check "the new project checks clean" 0 bash -c "'$qvsbuild' check --strict '$work/fresh' | grep -q '0 error(s), 0 warning(s)'"
check "the new project builds" 0 "$qvsbuild" build "$work/fresh" -o "$work/fresh.exe" "${opts[@]}"
sed -i 's/^BaseKey = 1\r$/BaseKey = 9\r/' "$work/fresh/Script.qvs"
check "check names the fault and its line" 0 bash -c "'$qvsbuild' check '$work/fresh' | grep -q 'Script.qvs:[0-9]*: error: \\[31\\] BaseKey = 9: not one of'"
check "check fails on an error" 1 "$qvsbuild" check "$work/fresh"
check "build refuses an error" 1 "$qvsbuild" build "$work/fresh" -o "$work/fresh.exe" "${opts[@]}"
sed -i 's/^BaseKey = 9\r$/BaseKey = 1\r/' "$work/fresh/Script.qvs"
mkdir -p "$work/fresh/Files/7" && echo x > "$work/fresh/Files/7/stray.txt"
check "a warning alone passes" 0 "$qvsbuild" build "$work/fresh" -o "$work/fresh.exe" "${opts[@]}"
check "--strict refuses a warning" 1 "$qvsbuild" build "$work/fresh" -o "$work/fresh.exe" "${opts[@]}" --strict
check "the checked-in reference is the schema's" 0 bash -c "'$qvsbuild' reference | cmp - docs/script-reference.md"

# Interrupted build: a large incompressible file keeps it busy long enough.
mkdir -p "$work/big"
cp -r examples/demo/Script.qvs examples/demo/Languages "$work/big/"
mkdir -p "$work/big/Files/1"
head -c 40000000 /dev/urandom > "$work/big/Files/1/noise.bin"
"$qvsbuild" build "$work/big" -o "$work/big.exe" "${opts[@]}" --threads 1 2>/dev/null &
pid=$!
sleep 1
kill -INT "$pid"
wait "$pid"
check "interrupted build leaves no file" 0 bash -c "! ls '$work' | grep -q '^big.exe'"

# Signing with a throwaway certificate: the real x64 stub, module and
# uninstaller of the build tree, which osslsigncode can sign.
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/test.key" -out "$work/test.crt" -days 2 \
  -subj /CN=qvs-test -addext extendedKeyUsage=codeSigning >/dev/null 2>&1
openssl pkcs12 -export -inkey "$work/test.key" -in "$work/test.crt" -out "$work/test.pfx" -passout pass:s3cret
printf 's3cret\n' > "$work/password"
signed=(examples/demo --flavour x64 --quiet --sign "$work/test.pfx")
export SOURCE_DATE_EPOCH=1700000000
check "signed demo builds" 0 env QVS_SIGN_PASSWORD=s3cret "$qvsbuild" build "${signed[@]}" -o "$work/signed.exe"
check "the signed installer is a program, as an unsigned one is" 0 test -x "$work/signed.exe"
check "osslsigncode accepts the signed installer" 0 osslsigncode verify -CAfile "$work/test.crt" -in "$work/signed.exe"
check "qvsbuild verifies it and notes the signature" 0 bash -c \
  "'$qvsbuild' verify '$work/signed.exe' | grep -q '^note: signed: an Authenticode signature'"
check "the uninstaller inside is signed too" 0 bash -c "'$qvsbuild' extract '$work/signed.exe' -d '$work/signed-files' >/dev/null &&
  osslsigncode verify -CAfile '$work/test.crt' -in '$work/signed-files/'*/Config/Uninstaller.bin"
check "a signed rebuild (password from a file) gives the same bytes" 0 bash -c \
  "'$qvsbuild' build ${signed[*]} -o '$work/signed-again.exe' --sign-password-file '$work/password' &&
   cmp '$work/signed.exe' '$work/signed-again.exe'"
check "a wrong password or an unreachable time-stamp server leaves nothing" 0 bash -c \
  "! QVS_SIGN_PASSWORD=wrong '$qvsbuild' build ${signed[*]} -o '$work/bad.exe' &&
   ! QVS_SIGN_PASSWORD=s3cret '$qvsbuild' build ${signed[*]} -o '$work/bad.exe' --timestamp http://127.0.0.1:9/ &&
   ! ls '$work' | grep -q '^bad.exe'"
unset SOURCE_DATE_EPOCH

echo "RESULT $passed $failed"
[ "$failed" -eq 0 ]
