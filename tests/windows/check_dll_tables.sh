#!/usr/bin/env bash
# Reads XLRENDER.DLL's export and import tables: it must export exactly DllGetClassObject and
# DllCanUnloadNow, by name, and import only from DLLs that every Windows installation has (the
# C++ runtime, libgcc and winpthread are linked in statically). One line per check.
#
# Usage: check_dll_tables.sh OBJDUMP DLL
set -euo pipefail
objdump="$1"
dll="$2"

allowed_imports=(kernel32.dll advapi32.dll gdi32.dll user32.dll winspool.drv version.dll
  rpcrt4.dll msvcrt.dll)

tables="$("$objdump" -p "$dll")"

# Every entry of the export address table, and the names of the name pointer table.
export_entries="$(grep -cE '^[[:space:]]*\[ *[0-9]+\] \+base\[' <<<"$tables" || true)"
export_names="$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$tables" |
  sed -n -E 's/^[[:space:]]*\[ *[0-9]+\] (.*)$/\1/p' | sort | tr '\n' ' ')"
if [ "$export_entries" != 2 ] || [ "$export_names" != "DllCanUnloadNow DllGetClassObject " ]; then
  echo "FAIL exports: $export_entries entries, named $(cut -d' ' -f1-10 <<<"$export_names")..." \
    "(want exactly DllCanUnloadNow DllGetClassObject)"
  exit 1
fi
echo "ok   exports: ${export_names% }"

imports="$(sed -n -E 's/^[[:space:]]*DLL Name: (.*)$/\1/p' <<<"$tables" | tr 'A-Z' 'a-z' | sort)"
if [ -z "$imports" ]; then
  echo "FAIL imports: no import table found"
  exit 1
fi
for import in $imports; do
  if [[ " ${allowed_imports[*]} " != *" $import "* ]]; then
    echo "FAIL imports: $import is not part of Windows (imports: $(echo $imports))"
    exit 1
  fi
done
echo "ok   imports: $(echo $imports)"
