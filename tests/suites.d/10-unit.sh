#!/usr/bin/env bash
# Host unit tests (GoogleTest, address and undefined-behaviour sanitizers).
set -u
cd "$(dirname "$0")/../.."
out=$(cd build/asan && ctest --output-on-failure -j "$(nproc)" 2>&1); rc=$?
echo "$out"
total=$(echo "$out" | sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2/p')
bad=$(echo "$out" | sed -n 's/.*tests passed, \([0-9]*\) tests failed out of.*/\1/p')
[ -n "$total" ] || { echo "RESULT 0 1"; exit 1; }
echo "RESULT $((total - bad)) $bad"
[ "$rc" -eq 0 ]
