#!/usr/bin/env bash
# The archive reader under libFuzzer: every input of the kept corpus once,
# then about 20 seconds of fresh fuzzing from it. Findings are left in
# out/fuzz/ (crash-*, and the grown corpus).
set -u
cd "$(dirname "$0")/../.."
build=${QVS_BUILD:-build}  # other build and output roots, for trying the suite
out=${QVS_OUT:-out}/fuzz
fuzzer=$build/fuzz/tests/fuzz/fuzz_archive_reader
passed=0 failed=0
if [ ! -x "$fuzzer" ]; then
  echo "missing $fuzzer (make fuzz)"
  echo "RESULT 0 1"
  exit 1
fi
mkdir -p $out/corpus
options="-rss_limit_mb=512 -timeout=10 -max_len=65536 -artifact_prefix=$out/"

if "$fuzzer" $options -runs=0 tests/fuzz/corpus >$out/replay.log 2>&1; then
  echo "ok: corpus replay ($(ls tests/fuzz/corpus | wc -l) inputs)"; passed=$((passed + 1))
else
  tail -n 30 $out/replay.log; echo "FAIL: corpus replay"; failed=$((failed + 1))
fi

if "$fuzzer" $options -max_total_time=20 $out/corpus tests/fuzz/corpus >$out/run.log 2>&1; then
  echo "ok: 20 s of fuzzing ($(grep -o 'Done [0-9]* runs' $out/run.log))"; passed=$((passed + 1))
else
  tail -n 30 $out/run.log; echo "FAIL: fuzzing found a fault (see $out/)"; failed=$((failed + 1))
fi
echo "RESULT $passed $failed"
[ "$failed" -eq 0 ]
