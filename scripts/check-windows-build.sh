#!/usr/bin/env bash
# Builds XLRENDER.DLL for 64-bit and 32-bit Windows with MinGW-w64, checks its export and import
# tables, and runs under Wine in a fresh prefix the smoke test, against what the Linux release
# build announces, the Win32 contract that the Linux stand-in is held to, and a job played
# through the DLL whose spool must equal the Linux module's.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh windows
scripts/build-mingw-libjpeg.sh

# The smoke test's expectations come from the Linux xlrender command and plug-in module, and
# the job host's from the Linux job host playing the same job through that module.
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target xlrender xlrender-plugin xlrender_job_host xlrender_spool_compare

for preset in mingw mingw-i686; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  rm -rf "build/$preset/wineprefix"
  ctest --preset "$preset"
done
