#!/usr/bin/env bash
# Compiles the plug-in's code with MinGW-w64 against the real Windows headers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw
echo "plug-in compiles for Windows"
