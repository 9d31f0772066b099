#!/usr/bin/env bash
# Lets a double click on a save file open the editor under Wine, for the current user only:
# the editor is copied to $XDG_DATA_HOME/velmor, and a desktop entry and the MIME type
# application/x-velmor-d2s (*.d2s) are written under $XDG_DATA_HOME (default ~/.local/share)
# and made the type's default in $XDG_CONFIG_HOME/mimeapps.list; the editor's icon goes into
# the hicolor theme there. Nothing outside the user's folders is touched.
#
# usage: scripts/install-desktop.sh EDITOR.exe
set -euo pipefail
exe=$(realpath "$1")
icon="$(dirname "$0")/../src/res/icons/app.png"
data="${XDG_DATA_HOME:-$HOME/.local/share}"
case $data in
    "$HOME"/*) ;;
    *) echo "install-desktop: $data is not under $HOME; nothing written" >&2; exit 1 ;;
esac
prefix="${WINEPREFIX:-$HOME/.wine-velmor}"
icons="$data/icons/hicolor/32x32/apps"
mkdir -p "$data/velmor" "$data/applications" "$data/mime/packages" "$icons"
cp "$exe" "$data/velmor/velmor.exe"
cp "$icon" "$icons/velmor.png"

# Wine gets the file's bare name in its own folder: the editor lists that folder.
cat >"$data/velmor/open.sh" <<EOS
#!/bin/sh
export WINEPREFIX="$prefix" WINEDEBUG=-all
[ -n "\$1" ] && cd "\$(dirname "\$1")" && set -- "\$(basename "\$1")"
exec wine "$data/velmor/velmor.exe" "\$@"
EOS
chmod +x "$data/velmor/open.sh"

cat >"$data/applications/velmor.desktop" <<EOS
[Desktop Entry]
Type=Application
Name=Velmor
Comment=Diablo II character save editor (under Wine)
Exec="$data/velmor/open.sh" %f
Icon=velmor
MimeType=application/x-velmor-d2s;
Categories=Utility;
Terminal=false
EOS

cat >"$data/mime/packages/velmor-d2s.xml" <<'EOS'
<?xml version="1.0" encoding="UTF-8"?>
<mime-info xmlns="http://www.freedesktop.org/standards/shared-mime-info">
  <mime-type type="application/x-velmor-d2s">
    <comment>Diablo II character save</comment>
    <magic priority="60"><match type="string" offset="0" value="\x55\xaa\x55\xaa"/></magic>
    <glob pattern="*.d2s"/>
  </mime-type>
</mime-info>
EOS

command -v update-mime-database >/dev/null && update-mime-database "$data/mime" || true
command -v update-desktop-database >/dev/null && update-desktop-database "$data/applications" || true
if command -v xdg-mime >/dev/null; then
    xdg-mime default velmor.desktop application/x-velmor-d2s
else
    config="${XDG_CONFIG_HOME:-$HOME/.config}"
    mkdir -p "$config"
    list="$config/mimeapps.list"
    grep -q '^\[Default Applications\]' "$list" 2>/dev/null ||
        printf '[Default Applications]\n' >>"$list"
    grep -q '^application/x-velmor-d2s=' "$list" ||
        sed -i '/^\[Default Applications\]/a application/x-velmor-d2s=velmor.desktop' "$list"
fi
echo "install-desktop: .d2s files open with $data/velmor/velmor.exe (Wine prefix $prefix)"
