#!/usr/bin/env bash
# Builds and runs every test (the corpus check against Ghostscript among them), once plainly
# and once under AddressSanitizer and UndefinedBehaviorSanitizer, the jobs side by side under
# ThreadSanitizer, then the Windows DLLs' checks (their tables and the smoke test under Wine).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh corpus
for preset in debug sanitize; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
# The ThreadSanitizer build makes only the spooler tests and what they load.
echo "== tsan"
cmake --preset tsan >/dev/null
cmake --build --preset tsan
ctest --preset tsan
scripts/check-windows-build.sh
