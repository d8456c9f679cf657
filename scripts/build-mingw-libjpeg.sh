#!/usr/bin/env bash
# Cross-builds libjpeg (IJG API 62) for the Windows DLLs. Debian ships no MinGW-w64 build of it,
# so this takes Debian's own libjpeg-turbo source package, builds a static library for each
# MinGW-w64 target and caches it in the build tree, where the mingw presets look for it:
# build/mingw-deps/<triplet>/{include,lib}. A target already in the cache is left alone; remove
# build/mingw-deps to rebuild.
#
# Usage: scripts/build-mingw-libjpeg.sh [TRIPLET...]   (default: x86_64-w64-mingw32 i686-w64-mingw32)
set -euo pipefail
cd "$(dirname "$0")/.."

deps_dir="$PWD/build/mingw-deps"
source_dir="$deps_dir/source"
triplets=("$@")
if [ ${#triplets[@]} -eq 0 ]; then
  triplets=(x86_64-w64-mingw32 i686-w64-mingw32)
fi

# apt-get source needs deb-src entries: add them for the Debian suites this machine is set up
# with, once.
enable_debian_source_entries() {
  if apt-cache showsrc libjpeg-turbo 2>/dev/null | grep -q '^Package:'; then
    return
  fi
  if [ "$(id -u)" -ne 0 ]; then
    echo "apt has no deb-src entries for libjpeg-turbo; run this script as root to add them" >&2
    exit 1
  fi
  local deb822=/etc/apt/sources.list.d/debian.sources
  local one_line=/etc/apt/sources.list
  if [ -f "$deb822" ]; then
    sed -E 's/^Types:[[:space:]]*deb[[:space:]]*$/Types: deb-src/' "$deb822" \
      > /etc/apt/sources.list.d/debian-deb-src.sources
  fi
  if [ -f "$one_line" ]; then
    sed -n -E 's/^deb[[:space:]]/deb-src /p' "$one_line" > /etc/apt/sources.list.d/debian-deb-src.list
  fi
  echo "enabled Debian's source entries"
  apt-get update -qq
}

fetch_source() {
  if [ -n "$(find "$source_dir" -maxdepth 2 -name jpeglib.h 2>/dev/null)" ]; then
    return
  fi
  enable_debian_source_entries
  rm -rf "$source_dir"
  mkdir -p "$source_dir"
  (cd "$source_dir" && apt-get source -qq -o APT::Sandbox::User=root --only-source libjpeg-turbo)
}

# The project's toolchain file for a target.
toolchain_file() {
  case "$1" in
    x86_64-w64-mingw32) echo mingw-w64.cmake ;;
    i686-w64-mingw32) echo mingw-w64-i686.cmake ;;
    *) echo "unknown MinGW-w64 target: $1" >&2; exit 2 ;;
  esac
}

# Builds the static library for one target and copies it with its four public headers into the
# cache; the cache entry appears only once the library is known to link into a program.
build_for() {
  local triplet="$1"
  local prefix="$deps_dir/$triplet" toolchain
  toolchain="$PWD/cmake/$(toolchain_file "$triplet")"
  if [ -f "$prefix/lib/libjpeg.a" ]; then
    return
  fi
  fetch_source
  local source
  source="$(dirname "$(find "$source_dir" -maxdepth 2 -name jpeglib.h | head -n 1)")"
  local build="$deps_dir/work/$triplet"
  cmake -S "$source" -B "$build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DWITH_SIMD=ON -DREQUIRE_SIMD=ON >/dev/null
  cmake --build "$build" --target jpeg-static

  local staging="$deps_dir/work/$triplet-staging"
  rm -rf "$staging"
  mkdir -p "$staging/include" "$staging/lib"
  cp "$source"/jpeglib.h "$source"/jmorecfg.h "$source"/jerror.h "$build"/jconfig.h \
    "$staging/include/"
  cp "$build/libjpeg.a" "$staging/lib/"
  check_links "$triplet" "$staging"
  rm -rf "$prefix"
  mv "$staging" "$prefix"
  echo "libjpeg for $triplet: $prefix"
}

# A program that includes the Windows headers before jpeglib.h, as the plug-in does, and calls
# into the library, linked statically.
check_links() {
  local triplet="$1" staging="$2"
  local check="$deps_dir/work/$triplet-link-check"
  mkdir -p "$check"
  cat > "$check/main.cpp" <<'EOF'
#include <windows.h>
#include <cstdio>
#include <jpeglib.h>

int main() {
    jpeg_error_mgr errors;
    jpeg_compress_struct compressor;
    compressor.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compressor);
    jpeg_destroy_compress(&compressor);
    return JPEG_LIB_VERSION == 62 ? 0 : 1;
}
EOF
  "$triplet-g++-posix" -std=c++20 -Wall -Wextra -Werror -static -I"$staging/include" \
    "$check/main.cpp" -L"$staging/lib" -ljpeg -o "$check/check.exe"
}

for triplet in "${triplets[@]}"; do
  build_for "$triplet"
done
