#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it under Wine in a folder of demo
# saves (build-run/demo, made once and then kept with your edits; --fresh-demo makes it
# anew), with one character open. With --install-desktop it instead lets a double click on
# a .d2s file open the editor, for the current user only.
#
# usage: scripts/run.sh [--fresh-demo | --install-desktop]
set -euo pipefail
cd "$(dirname "$0")/.."

case "${1:-}" in
    "" | --fresh-demo | --install-desktop) ;;
    *) echo "usage: scripts/run.sh [--fresh-demo | --install-desktop]" >&2; exit 2 ;;
esac
if [ "${1:-}" != --install-desktop ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: there is no display to show the editor's window on (neither DISPLAY nor" \
         "WAYLAND_DISPLAY is set); run it in a desktop session, or build without starting" \
         "it with scripts/build-editor.sh" >&2
    exit 1
fi
scripts/setup.sh
scripts/build-editor.sh
# Wine's own messages (and Debian's advice to install wine32) only when asked for.
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-velmor}" WINEDEBUG="${WINEDEBUG:--all}"
if [ "${1:-}" = --install-desktop ]; then
    scripts/wine-prefix.sh
    exec scripts/install-desktop.sh build-run-win/velmor.exe
fi

fresh=()
[ "${1:-}" = --fresh-demo ] && fresh=(--fresh)
scripts/demo-folder.sh "${fresh[@]}" build-run/velmor-cli build-run/demo
scripts/wine-prefix.sh
cd build-run/demo
echo "Velmor: build-run-win/velmor.exe (copy it to Windows and run it there, or run it with wine)"
status=0
wine ../../build-run-win/velmor.exe Rogar.d2s || status=$?
if [ $status != 0 ]; then
    echo "run.sh: the editor ended with status $status; WINEDEBUG=err+all scripts/run.sh" \
         "shows Wine's messages" >&2
fi
exit $status
