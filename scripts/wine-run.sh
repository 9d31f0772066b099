#!/usr/bin/env bash
# Runs a cross-built test program under Wine in the tests' own prefix, on a virtual
# display when there is no other. CTest calls it for every Windows test.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
export WINEPREFIX="${VELMOR_TEST_WINEPREFIX:-$HOME/.cache/velmor/wine-tests}"
export VELMOR_WINE_UNMANAGED=1 WINEARCH=win64 WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
"$here/wine-prefix.sh"
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x800x24" wine "$@"
fi
exec wine "$@"
