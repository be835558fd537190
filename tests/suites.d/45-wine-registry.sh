#!/usr/bin/env bash
# The registry layer and the path variables under Wine: every registry
# operation against the prefix's registry (below HKCU\Software\QvsTest, which
# the program deletes again), and the path variables against the prefix's
# folders and environment for each OS code's rule.
set -u
cd "$(dirname "$0")/../.."
mkdir -p "${QVS_OUT:-out}/wine-registry"
work=$(cd "${QVS_OUT:-out}/wine-registry" && pwd)
mkdir -p "$work/prefix"
export WINEPREFIX=$work/prefix WINEDEBUG=-all
build=${QVS_BUILD:-build}  # another build root, for trying the suite
wine=$(command -v wine64 || command -v wine)
. tests/wine/prefix.sh
test_exe=$build/x64/tests/wine/registry_paths_test.exe
passed=0 failed=0

if [ ! -f "$test_exe" ]; then
  echo "FAIL: registry_paths_test.exe built ($test_exe)"
  echo "RESULT 0 1"
  exit 1
fi

prepare_prefix
run_checks_program registry_paths "$work/registry_paths.log" 600 "$test_exe"

echo "RESULT $passed $failed"
[ "$failed" -eq 0 ]
