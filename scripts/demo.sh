#!/usr/bin/env bash
# Builds the release preset and runs the main job: the example job printed through the plug-in
# into a spool file, then that file's listing, then its pages rendered to PNG files (named as
# they are written).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
build/release/bin/xlrender print examples/demo.json -o build/demo.spl --dump
echo "spool file: build/demo.spl"
build/release/bin/xlrender render build/demo.spl -o build/demo-page-%d.png
