#!/usr/bin/env bash
# Makes the Wine prefix once: a 64-bit Windows with CJK font replacements, so that the
# dialogs' and menus' Chinese captions are legible.
set -euo pipefail
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-velmor}"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
stamp="$WINEPREFIX/.velmor-fonts"
[ -f "$stamp" ] && exit 0
wineboot -i >/dev/null 2>&1 || true
reg=$(mktemp --suffix=.reg)
{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for face in "SimSun" "宋体" "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2"; do
        printf '"%s"="WenQuanYi Micro Hei"\r\n' "$face"
    done
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
wine regedit /S "$reg" >/dev/null 2>&1
wineserver -w
rm -f "$reg"
touch "$stamp"
