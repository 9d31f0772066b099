#!/usr/bin/env bash
# Unpacks the packages that scripts/package.sh made into a temporary root and runs what
# they hold: velmor-cli from the .deb natively (it must not be a sanitized build), and
# velmor-cli.exe from the zip under Wine. Where lintian and desktop-file-validate are
# installed, the .deb must have no lintian error, and the desktop entry that
# scripts/install-desktop.sh writes must be valid, with the editor's icon in the hicolor
# theme. A difference ends it with status 1 and says which.
set -euo pipefail
cd "$(dirname "$0")/../.."
version=$(sed -n 's/^project(velmor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
# The zip is unpacked outside any build folder: its program runs in the tests' prefix.
export VELMOR_TEST_WINEPREFIX="${VELMOR_TEST_WINEPREFIX:-$PWD/build-win/wineprefix}"
fail() { echo "check-packages: FAILED: $*" >&2; exit 1; }

deb="build-run/packages/velmor-cli_${version}_amd64.deb"
dpkg -x "$deb" "$root"
unzip -q "build-run-win/packages/velmor-${version}-win64.zip" -d "$root"
for f in usr/share/man/man1/velmor-cli.1.gz usr/share/bash-completion/completions/velmor-cli \
         usr/share/doc/velmor-cli/{copyright,changelog.gz} \
         velmor-$version-win64/{velmor.exe,README.md,LICENSE}; do
    [ -f "$root/$f" ] || fail "no $f in the packages"
done
! grep -q __asan_init "$root/usr/bin/velmor-cli" || fail "the .deb holds a sanitized build"
if command -v lintian >/dev/null; then
    # lintian's own complaint about running as root is no finding about the package.
    findings=$(lintian "$deb" 2>&1 | grep -v 'running with root privileges') || true
    ! grep -q '^E:' <<<"$findings" || fail "lintian: $findings"
else
    echo "check-packages: lintian not installed; the .deb is not checked by it"
fi
if command -v desktop-file-validate >/dev/null; then
    home="$root/home"
    mkdir -p "$home"
    HOME="$home" XDG_DATA_HOME="$home/share" XDG_CONFIG_HOME="$home/config" \
        scripts/install-desktop.sh "$root/velmor-$version-win64/velmor.exe" >/dev/null
    # Its hints count too: two main categories are only a hint.
    said=$(desktop-file-validate "$home/share/applications/velmor.desktop" 2>&1) && [ -z "$said" ] ||
        fail "the desktop entry is not valid: $said"
    icon=$(sed -n 's/^Icon=//p' "$home/share/applications/velmor.desktop")
    cmp -s src/res/icons/app.png "$home/share/icons/hicolor/32x32/apps/$icon.png" ||
        fail "the desktop entry's icon '$icon' is not the editor's icon in the hicolor theme"
fi
for cli in "$root/usr/bin/velmor-cli" "scripts/wine-run.sh $root/velmor-$version-win64/velmor-cli.exe"; do
    shown=$($cli --version | tr -d '\r')
    [ "$shown" = "velmor-cli $version" ] || fail "$cli --version printed '$shown'"
done
echo "check-packages: the .deb and the zip of $version unpack and run"
