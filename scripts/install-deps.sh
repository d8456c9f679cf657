#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs that this machine lacks (as root), or says
# which to install.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config binutils
  libgtest-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev
  libjpeg62-turbo-dev libfreetype-dev libfontconfig-dev libpng-dev
  g++-mingw-w64-x86-64-posix
  clang
)

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
  echo "install them with: sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
