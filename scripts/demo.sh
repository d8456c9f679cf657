#!/usr/bin/env bash
# Builds the release preset and runs the main job: the plug-in module loaded as Unidrv loads it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
build/release/bin/xlrender info
