#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix, with no display: the prefix is created
# on first use, without the Mono and Gecko installers (nothing here needs them). Wine reports
# only module-loading errors, such as an import it cannot resolve. Windows' user locale follows
# the Unix one: it is US English here, as in the Linux stand-in's default world, since the
# plug-in's defaults depend on the country.
#
# Usage: run_under_wine.sh PREFIX PROGRAM [ARGUMENT...]
set -euo pipefail
export WINEPREFIX="$1"
shift
export WINEDEBUG=-all,err+module
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=en_US.UTF-8
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot --init >/dev/null 2>&1
  wineserver --wait
fi
exec wine "$@"
