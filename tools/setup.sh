#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine (run as root).
# Safe to run again: packages already present and a built liblzma cache are left alone.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
cache="$top/.cache"

packages=(
  build-essential cmake pkg-config clang libclang-rt-14-dev
  libgtest-dev liblzma-dev zlib1g-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 libz-mingw-w64-dev
  wine wine64 fonts-wine xvfb xauth x11-utils imagemagick osslsigncode openssl python3 locales
  dpkg-dev xz-utils nsis
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

apt_updated=0
apt_update() {
  [ "$apt_updated" = 1 ] && return 0
  apt-get update -qq
  apt_updated=1
}

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  apt_update
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Source entries mirroring the machine's own binary ones (the same archives,
# suites and keys), so that apt-get source reaches the archive the
# packages come from.
add_source_entries() {
  local file out=/etc/apt/sources.list.d/qvs-source-packages.sources
  : > "$out.new"
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    # deb822 stanzas whose Types name deb: the same stanza with deb-src.
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
         /(^|\n)Types:[^\n]*[[:space:]]deb([[:space:]]|$)/ || /(^|\n)Types: deb(\n|$)/ {
           sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$file" >> "$out.new"
  done
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb\([[:space:]]\)/deb-src\1/p' /etc/apt/sources.list > /etc/apt/sources.list.d/qvs-source-packages.list
  fi
  if [ -s "$out.new" ]; then mv "$out.new" "$out"; else rm -f "$out.new"; fi
}

# Static liblzma for both MinGW targets, built from Debian's own xz-utils source.
build_liblzma() {
  local host=$1 prefix="$cache/mingw/$1"
  [ -f "$prefix/lib/liblzma.a" ] && return 0
  if ! ls -d "$cache"/xz-src/xz-utils-*/ >/dev/null 2>&1; then
    if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
      add_source_entries
      apt_updated=0
    fi
    apt_update
    mkdir -p "$cache/xz-src"
    # Debian's patches (security fixes among them) are applied; they touch
    # only C sources, so the autotools files need no regeneration.
    (cd "$cache/xz-src" && apt-get source -qq --download-only xz-utils >/dev/null &&
      dpkg-source -x ./*.dsc >/dev/null)
  fi
  local src
  src=$(ls -d "$cache"/xz-src/xz-utils-*/ | head -n 1)
  # The x86_64 match finder calls _BitScanForward64 without declaring it
  # under MinGW; the i686 build has assembly files, which must not see intrin.h.
  local cflags="-O2"
  [ "$host" = x86_64-w64-mingw32 ] && cflags="-O2 -include intrin.h"
  local work="$cache/mingw/build-$host"
  rm -rf "$work" && mkdir -p "$work"
  echo "setup: building static liblzma for $host"
  local log="$cache/mingw/build-$host.log"
  if ! (cd "$work" && "$src/configure" --host="$host" --prefix="$prefix" \
      --enable-static --disable-shared --disable-xz --disable-xzdec --disable-lzmadec \
      --disable-lzmainfo --disable-scripts --disable-doc --disable-nls --enable-threads=no \
      CFLAGS="$cflags" &&
    make -j"$(nproc)" -C src/liblzma && make -C src/liblzma install) >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "setup: liblzma for $host failed to build (log: $log)" >&2
    exit 1
  fi
  rm -rf "$work"
}

build_liblzma i686-w64-mingw32
build_liblzma x86_64-w64-mingw32
echo "setup: ready"
