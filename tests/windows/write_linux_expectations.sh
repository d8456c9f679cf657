#!/usr/bin/env bash
# Writes what the Linux build of the plug-in announces, for the DLL smoke test to compare with:
# `xlrender info` as linux-info.txt, and the default private devmode for the smoke test's public
# devmode as linux-devmode.bin.
#
# Usage: write_linux_expectations.sh XLRENDER PUBLIC_DEVMODE_JSON OUTPUT_DIRECTORY
set -euo pipefail
tool="$1" public_json="$2" output="$3"
if [ ! -x "$tool" ]; then
  echo "no Linux xlrender at $tool: build the release preset first" >&2
  exit 1
fi
"$tool" info > "$output/linux-info.txt"
"$tool" devmode default --public-json "$public_json" -o "$output/linux-devmode.bin"
echo "Linux expectations: $output/linux-info.txt, $output/linux-devmode.bin"
