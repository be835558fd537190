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

# The builder reaches files and the system only through its OS layer
# (builder/os_*): fstreams, std::filesystem and fopen take paths in the ANSI
# code page in qvsbuild.exe and lose every name outside it.
bad=$(grep -nE '#include <(filesystem|fstream|windows\.h|unistd\.h|fcntl\.h|dirent\.h|io\.h|sys/)|[^_a-z]fopen\(' \
  builder/*.cpp builder/*.h | grep -v '^builder/os_')
if [ -z "$bad" ]; then
  passed=$((passed + 1)); echo "ok   builder makes its system calls in its OS layer only"
else
  failed=$((failed + 1)); echo "FAIL builder calls the system outside builder/os_*:"; printf '     %s\n' "$bad"
fi

echo "RESULT $passed $failed"
[ "$failed" -eq 0 ]
