#!/usr/bin/env bash
# Builds the demo product's placeholder programs (32-bit, like the product)
# into examples/demo/Files. Run after changing tools/demo-placeholder.c; the
# results are checked in so that building the demo needs no extra step.
set -euo pipefail
cd "$(dirname "$0")/.."
files=examples/demo/Files
build() { # output, message
  i686-w64-mingw32-gcc -Os -s -nostdlib -Wall -Wextra -mwindows -e _DemoEntry@0 \
    -Wl,--no-insert-timestamp "-DDEMO_TEXT=\"$2\"" -o "$1" tools/demo-placeholder.c -lkernel32 -luser32
}
mkdir -p "$files/20" "$files/21" "$files/22" "$files/23"
build "$files/20/DemoApp.exe" "Demo Product is installed. This program stands in for the real application."
build "$files/21/ShowManual.exe" "The Demo Product manual is installed (Docs\\\\Manual.txt)."
build "$files/22/SampleRunner.exe" "The Demo Product samples are installed."
build "$files/23/DemoTool.exe" "The Demo Product command-line tools are installed."
