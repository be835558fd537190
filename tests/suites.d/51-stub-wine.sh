#!/usr/bin/env bash
# The stub's own tests (tests/stub) under Wine: entry-name rules, the locked
# temporary module file, bitmap checks, OS classification, system-folder
# loading, the command line and the built-in icons.
set -u
cd "$(dirname "$0")/../.."
build=${QVS_BUILD:-build}
mkdir -p "${QVS_OUT:-out}/wine-stub"
work=$(cd "${QVS_OUT:-out}/wine-stub" && pwd)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
wine=$(command -v wine64 || command -v wine)
test_exe=$build/x64/tests/stub/stub_tests.exe
if [ ! -f "$test_exe" ]; then
  echo "FAIL: $test_exe not built"
  echo "RESULT 0 1"
  exit 1
fi
# A new prefix is set up first, so that its start-up messages stay out of
# the log.
. tests/wine/prefix.sh
prepare_prefix
log=$work/stub_tests.log
run_logged "$log" 300 "$wine" "$test_exe"
stop_prefix
grep -E '^(FAIL|ok)' "$log"
line=$(grep '^RESULT ' "$log" | tail -n 1)
if [ -z "$line" ]; then
  tail -n 20 "$log"
  echo "RESULT 0 1"
  exit 1
fi
echo "$line"
set -- $line
[ "$3" -eq 0 ]
