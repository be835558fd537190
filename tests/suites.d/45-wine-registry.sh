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

# A display lets the path compaction measure text in a real control; without
# one the program skips that group and says so.
run=("$wine" "$test_exe")
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  run=(xvfb-run -a "${run[@]}")
fi
log=$work/registry_paths.log
prepare_prefix
run_logged "$log" 600 "${run[@]}"
stop_prefix
grep -E '^(FAIL|note)' "$log"
line=$(grep '^checks: ' "$log" | tail -n 1)
if [ -z "$line" ]; then
  tail -n 20 "$log"
  failed=1
else
  echo "registry_paths: $line"
  passed=$(echo "$line" | sed 's/checks: \([0-9]*\) passed, \([0-9]*\) failed/\1/')
  failed=$(echo "$line" | sed 's/checks: \([0-9]*\) passed, \([0-9]*\) failed/\2/')
fi

echo "RESULT $passed $failed"
[ "$failed" -eq 0 ]
