#!/usr/bin/env bash
# The libFuzzer targets: the archive reader (tests/fuzz/corpus), the script
# and language texts (tests/fuzz/script-corpus), the uninstaller's data
# file (tests/fuzz/uninstaller-corpus) and the journal of an installation
# run (tests/fuzz/journal-corpus). Each replays its kept
# corpus once, then fuzzes for about 20 seconds from it. Findings are left in
# out/fuzz/<target>/ (crash-*, and the grown corpus).
set -u
cd "$(dirname "$0")/../.."
build=${QVS_BUILD:-build}  # other build and output roots, for trying the suite
passed=0 failed=0

fuzz_target() {  # target, kept corpus
  local target=$1 kept=$2
  local fuzzer=$build/fuzz/tests/fuzz/$target out=${QVS_OUT:-out}/fuzz/$target
  if [ ! -x "$fuzzer" ]; then
    echo "FAIL: missing $fuzzer (make fuzz)"; failed=$((failed + 1)); return
  fi
  mkdir -p "$out/corpus"
  # A single allocation above the limit counts as a finding too. The
  # sanitizer's quarantine of freed blocks is kept small, so that the limit
  # measures the code rather than the quarantine (256 MB by default).
  local options="-rss_limit_mb=1024 -timeout=10 -max_len=65536 -artifact_prefix=$out/"
  export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=64}
  if "$fuzzer" $options -runs=0 "$kept" >"$out/replay.log" 2>&1; then
    echo "ok: $target corpus replay ($(ls "$kept" | wc -l) inputs)"; passed=$((passed + 1))
  else
    tail -n 30 "$out/replay.log"; echo "FAIL: $target corpus replay"; failed=$((failed + 1))
  fi
  if "$fuzzer" $options -max_total_time=20 "$out/corpus" "$kept" >"$out/run.log" 2>&1; then
    echo "ok: $target, 20 s of fuzzing ($(grep -o 'Done [0-9]* runs' "$out/run.log"))"
    passed=$((passed + 1))
  else
    tail -n 30 "$out/run.log"; echo "FAIL: $target: fuzzing found a fault (see $out/)"
    failed=$((failed + 1))
  fi
}

fuzz_target fuzz_archive_reader tests/fuzz/corpus
fuzz_target fuzz_script_reader tests/fuzz/script-corpus
fuzz_target fuzz_uninstaller_data tests/fuzz/uninstaller-corpus
fuzz_target fuzz_install_journal tests/fuzz/journal-corpus
echo "RESULT $passed $failed"
[ "$failed" -eq 0 ]
