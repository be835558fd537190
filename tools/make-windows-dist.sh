#!/usr/bin/env bash
# Assembles out/qvsbuild-windows, the folder a vendor on Windows unpacks:
# qvsbuild.exe with the stub, unpacker module and uninstaller of each
# flavour beside it (i686\ and x64\, where it finds them by default), the
# English language file, the script reference, the demo project and a
# README. Run by `make`. Times are kept: the uninstaller is an entry, and
# its time is stored.
set -euo pipefail
cd "$(dirname "$0")/.."
dist=out/qvsbuild-windows
next=$dist.new
rm -rf "$next"
mkdir -p "$next"
cp -p build/windows/builder/qvsbuild.exe "$next/"
for flavour in i686 x64; do
  mkdir -p "$next/$flavour"
  cp -p build/$flavour/startup/qvssetup.exe build/$flavour/module/qvsunpack.dll \
     build/$flavour/uninstaller/qvsuninst.exe "$next/$flavour/"
done
cp -p lang/English.lng "$next/"
cp -p docs/script-reference.md "$next/"
cp -rp examples/demo "$next/demo"
# Windows line breaks, for every editor there.
sed 's/$/\r/' builder/windows-readme.txt > "$next/README.txt"
rm -rf "$dist"
mv "$next" "$dist"
