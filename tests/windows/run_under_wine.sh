#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix, with no display: the prefix is created
# on first use, without the Mono and Gecko installers (nothing here needs them). Wine reports
# only module-loading errors, such as an import it cannot resolve.
#
# Usage: run_under_wine.sh PREFIX PROGRAM [ARGUMENT...]
set -euo pipefail
export WINEPREFIX="$1"
shift
export WINEDEBUG=-all,err+module
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot --init >/dev/null 2>&1
  wineserver --wait
fi
exec wine "$@"
