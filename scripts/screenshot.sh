#!/usr/bin/env bash
# Regenerates docs/screenshot.png (the English window) and docs/screenshot-zh.png (the
# Chinese one): the editor under Wine on a virtual display, with a demo character open.
# Run it after changing the window.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh imagemagick
scripts/build-editor.sh
scripts/demo-folder.sh --fresh build-run/velmor-cli build-run/shot

# Windows outside a window manager, so that Wine draws the title bar itself.
export WINEPREFIX="$PWD/build-run/wine-shot" VELMOR_WINE_UNMANAGED=1 WINEDEBUG=-all
scripts/wine-prefix.sh
display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1024x480x24 >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY="$display"
sleep 1
mkdir -p docs
for shot in en:screenshot zh:screenshot-zh; do
    (cd build-run/shot && wine ../../build-run-win/velmor.exe --lang="${shot%%:*}" Rogar.d2s &)
    sleep 8
    import -window root /tmp/velmor-shot.png
    convert /tmp/velmor-shot.png -trim +repage "docs/${shot##*:}.png"
    wineserver -k 2>/dev/null || true
    sleep 1
    echo "wrote docs/${shot##*:}.png"
done
