#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it under Wine in a folder of demo
# saves (build-run/demo), with one character open. With --install-desktop it instead lets
# a double click on a .d2s file open the editor, for the current user only.
#
# usage: scripts/run.sh [--install-desktop]
set -euo pipefail
cd "$(dirname "$0")/.."

case "${1:-}" in
    "" | --install-desktop) ;;
    *) echo "usage: scripts/run.sh [--install-desktop]" >&2; exit 2 ;;
esac
scripts/setup.sh
scripts/build-editor.sh
if [ "${1:-}" = --install-desktop ]; then
    export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-velmor}"
    scripts/wine-prefix.sh
    exec scripts/install-desktop.sh build-run-win/velmor.exe
fi

scripts/demo-folder.sh build-run/velmor-cli build-run/demo
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-velmor}"
scripts/wine-prefix.sh
cd build-run/demo
echo "Velmor: build-run-win/velmor.exe (copy it to Windows and run it there, or run it with wine)"
if [ -z "${DISPLAY:-}" ]; then
    echo "No display: starting on a virtual one (set DISPLAY to see the window)."
    exec xvfb-run -a wine ../../build-run-win/velmor.exe Rogar.d2s
fi
exec wine ../../build-run-win/velmor.exe Rogar.d2s
