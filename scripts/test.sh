#!/usr/bin/env bash
# Builds and runs every test (the corpus check against Ghostscript among them), once plainly
# and once under AddressSanitizer and UndefinedBehaviorSanitizer, then the Windows DLLs' checks
# (their tables and the smoke test under Wine).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh corpus
for preset in debug sanitize; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
scripts/check-windows-build.sh
