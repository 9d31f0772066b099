#!/usr/bin/env bash
# Runs a cross-built test program under Wine in the tests' own prefix, on a virtual
# display when there is no other. CTest calls it for every Windows test.
# usage: scripts/wine-run.sh PROGRAM [ARGUMENTS...]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
# Without VELMOR_TEST_WINEPREFIX the prefix is the wineprefix folder of the build folder
# that holds the program (the one with CMakeCache.txt), so that checkouts never share one.
prefix="${VELMOR_TEST_WINEPREFIX:-}"
if [ -z "$prefix" ]; then
    build="$(cd "$(dirname "$1")" && pwd)"
    while [ "$build" != / ] && [ ! -f "$build/CMakeCache.txt" ]; do build="$(dirname "$build")"; done
    [ "$build" = / ] && { echo "wine-run.sh: $1 is in no build folder; set VELMOR_TEST_WINEPREFIX" >&2; exit 2; }
    prefix="$build/wineprefix"
fi
export WINEPREFIX="$prefix"
export VELMOR_WINE_UNMANAGED=1 WINEARCH=win64 WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
"$here/wine-prefix.sh"
display=()
[ -z "${DISPLAY:-}" ] && display=(xvfb-run -a -s "-screen 0 1280x800x24")
# Standard error without the noise of Wine's ending: Debian's advice to install wine32 (given
# when WINEDEBUG lacks -all) and the lost connection of Wine's helpers to a virtual display
# that closes with the program.
quiet() {
    grep -v -e '^X connection to .* broken' -e 'wine32 is missing' -e 'multiarch needs' \
        -e 'dpkg --add-architecture' -e 'apt-get install wine32' >&2 || true
}
{ "${display[@]}" wine "$@" 2>&1 1>&3 3>&- | quiet; exit "${PIPESTATUS[0]}"; } 3>&1
