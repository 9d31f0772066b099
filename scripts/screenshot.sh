#!/usr/bin/env bash
# Regenerates docs/screenshot.png (the English window) and docs/screenshot-zh.png (the
# Chinese one): the editor under Wine on a virtual display, with a demo character open;
# then docs/skills.png, docs/quests.png and docs/waypoints.png, the Edit menu's dialogs
# over a game-written character. Run it after changing the window or the dialogs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh imagemagick
scripts/build-editor.sh
scripts/demo-folder.sh --fresh build-run/velmor-cli build-run/shot

# Windows outside a window manager, so that Wine draws the title bar itself.
export WINEPREFIX="$PWD/build-run/wine-shot" VELMOR_WINE_UNMANAGED=1 WINEDEBUG=-all
scripts/wine-prefix.sh
display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1280x800x24 >/dev/null 2>&1 &
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

# The dialogs, opened by a command posted to the window and taken alone by their title.
x86_64-w64-mingw32-gcc -O2 -o build-run/post-command.exe scripts/post-command.c
cp tests/data/98_Agelatus.d2s build-run/shot/Agelatus.d2s
for shot in skills:40060:Warlock:Skills quests:40061:Agelatus:Quests \
            waypoints:40062:Agelatus:Waypoints; do
    IFS=: read -r name command file caption <<<"$shot"
    (cd build-run/shot && wine ../../build-run-win/velmor.exe --lang=en "$file.d2s" &)
    sleep 8
    wine build-run/post-command.exe "$file" "$command"
    sleep 3
    id=$(xwininfo -root -tree | awk -v c="\"$caption\":" '$2 == c { print $1; exit }')
    import -window "$id" "docs/$name.png"
    wineserver -k 2>/dev/null || true
    sleep 1
    echo "wrote docs/$name.png"
done
