#!/usr/bin/env bash
# Builds the demo product into installers: out/demo-setup.exe (32-bit, the
# product) and out/demo-setup-x64.exe (the flavour Wine runs on this machine).
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p out
builder=build/host/builder/qvsbuild
"$builder" build examples/demo -o out/demo-setup.exe --flavour i686
"$builder" build examples/demo -o out/demo-setup-x64.exe --flavour x64 --quiet
"$builder" verify out/demo-setup.exe
echo "demo: out/demo-setup.exe (run the x64 flavour here with: wine out/demo-setup-x64.exe)"
