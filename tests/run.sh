#!/usr/bin/env bash
# Runs every test suite and closes with one "N passed, N failed" line.
# Each suite script in tests/suites.d prints, as its last line,
# "RESULT <passed> <failed>"; a suite that dies without it counts one failure.
set -u
cd "$(dirname "$0")/.."
mkdir -p out/test-logs
passed=0 failed=0
for suite in tests/suites.d/*.sh; do
  name=$(basename "$suite" .sh)
  echo "== $name"
  log=out/test-logs/$name.log
  bash "$suite" 2>&1 | tee "$log"
  line=$(grep '^RESULT ' "$log" | tail -n 1)
  if [ -n "$line" ]; then
    set -- $line
    passed=$((passed + $2)); failed=$((failed + $3))
  else
    echo "$name: no result line"; failed=$((failed + 1))
  fi
done
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
