#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs that this machine lacks (as root), or says
# which to install; `install-deps.sh corpus` adds the writers the corpus check uses. `install-deps.sh windows` installs what the Windows DLLs need instead: the
# MinGW-w64 toolchains, what cross-building libjpeg-turbo from its source package takes, and
# Wine (its 32-bit half from the i386 architecture) to run the smoke test.
set -euo pipefail

if [ "${1:-}" = windows ]; then
  packages=(
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix cmake ninja-build
    dpkg-dev nasm
    wine wine64 wine32:i386
  )
else
  packages=(
    g++ cmake ninja-build pkg-config binutils
    libgtest-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev
    libjpeg62-turbo-dev libfreetype-dev libfontconfig-dev libpng-dev
    fonts-dejavu-core fonts-liberation2 fonts-droid-fallback
    # The locale sources from which the tests compile a comma-decimal locale with localedef.
    locales
  )
  # The fuzz preset builds the libFuzzer targets with clang and its sanitizer runtimes.
  if [ "${1:-}" = fuzz ]; then
    packages+=(clang libclang-rt-14-dev)
  fi
  # The corpus check makes PCL XL files with other writers and their reference pages.
  if [ "${1:-}" = corpus ]; then
    packages+=(ghostscript netpbm groff-base)
  fi
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "missing packages: ${missing[*]}" >&2
  if [[ " ${missing[*]}" == *:i386* ]]; then
    echo "enable the i386 architecture first: sudo dpkg --add-architecture i386" >&2
  fi
  echo "install them with: sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
echo "installing: ${missing[*]}"
if [[ " ${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
