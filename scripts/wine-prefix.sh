#!/usr/bin/env bash
# Makes the Wine prefix named by WINEPREFIX once: a 64-bit Windows with CJK font
# replacements, so that the dialogs' and menus' Chinese captions are legible, and the
# Marlett font of the title-bar buttons (Debian's Wine does not find its own copy in
# fonts-wine, and the buttons then show as the letters "0 1 r"). With
# VELMOR_WINE_UNMANAGED=1 its windows bypass the window manager, as the tests want: on a
# bare virtual display Wine would otherwise wait for a manager at every hidden window.
set -euo pipefail
: "${WINEPREFIX:?}"
export WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
stamp="$WINEPREFIX/.velmor-ready"
fonts="$WINEPREFIX/drive_c/windows/Fonts"
marlett() {
    [ -f "$fonts/marlett.ttf" ] || cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
}
if [ -f "$stamp" ]; then
    marlett  # prefixes made before the font was added get it too
    exit 0
fi
mkdir -p "$(dirname "$WINEPREFIX")"
# Wine's messages are shown only when a step fails.
log=$(mktemp)
reg=$(mktemp --suffix=.reg)
trap 'rm -f "$log" "$reg"' EXIT
failed() {
    cat "$log" >&2
    echo "wine-prefix.sh: $1 failed in $WINEPREFIX" >&2
    exit 1
}
quietly() { "$@" >"$log" 2>&1 || failed "'$*'"; }
# wineboot's status is not reliable; the prefix's Fonts folder tells whether it worked.
wineboot -i >"$log" 2>&1 || true
[ -d "$fonts" ] || failed wineboot
marlett
{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for face in "SimSun" "宋体" "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2"; do
        printf '"%s"="WenQuanYi Micro Hei"\r\n' "$face"
    done
    if [ "${VELMOR_WINE_UNMANAGED:-0}" = 1 ]; then
        printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n'
    fi
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
quietly wine regedit /S "$reg"
quietly wineserver -w
touch "$stamp"
