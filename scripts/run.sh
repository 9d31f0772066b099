#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it under Wine in a folder of demo
# saves (build-run/demo), with one character open.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/build-editor.sh

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
