#!/usr/bin/env bash
# The folders' includes follow the layers: each folder may include only
# itself and the folders listed for it below, so that dependencies point
# down (nothing includes startup/ or wizard/ but what sits above them).
set -u
cd "$(dirname "$0")/../.."
passed=0 failed=0

declare -A allowed=(
  [archive]="archive"
  [format]="format archive"
  [platform]="platform"
  [script]="script platform"
  [checks]="checks script platform"
  [module]="module archive format"
  [builder]="builder archive format script"
  [engine]="engine format script checks platform archive module/unpacker_api.h"
  [uninstaller]="uninstaller engine format script checks platform module/unpacker_api.h"
  [wizard]="wizard engine format script checks platform module/unpacker_api.h"
  [startup]="startup wizard engine format script checks platform archive module"
)

for folder in "${!allowed[@]}"; do
  [ -d "$folder" ] || continue
  bad=""
  while IFS= read -r line; do
    file=${line%%:*}
    target=$(sed -n 's/.*#include "\([^"]*\)".*/\1/p' <<<"${line#*:}")
    ok=0
    for rule in ${allowed[$folder]}; do
      case $target in "$rule"/* | "$rule") ok=1 ;; esac
    done
    [ $ok = 1 ] || bad+="$file includes $target"$'\n'
  done < <(grep -rHE '^#include "[a-z_]+/' "$folder" --include='*.cpp' --include='*.h')
  if [ -z "$bad" ]; then
    passed=$((passed + 1)); echo "ok   $folder includes only ${allowed[$folder]}"
  else
    failed=$((failed + 1)); echo "FAIL $folder:"; printf '     %s' "$bad"
  fi
done

echo "RESULT $passed $failed"
[ "$failed" -eq 0 ]
