#!/usr/bin/env bash
# Unpacks the packages that scripts/package.sh made into a temporary root and runs what
# they hold: velmor-cli from the .deb natively, velmor-cli.exe from the zip under Wine.
# Any difference ends the script with status 1 and says what it was.
set -euo pipefail
cd "$(dirname "$0")/../.."
version=$(sed -n 's/^project(velmor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "check-packages: FAILED: $*" >&2; exit 1; }

dpkg -x "build-run/packages/velmor-cli_${version}_amd64.deb" "$root/deb"
for f in bin/velmor-cli share/man/man1/velmor-cli.1 share/doc/velmor-cli/LICENSE \
         share/bash-completion/completions/velmor-cli; do
    [ -f "$root/deb/usr/$f" ] || fail ".deb lacks /usr/$f"
done
cli="$root/deb/usr/bin/velmor-cli"
! grep -q __asan_init "$cli" || fail ".deb holds a sanitized build"
[ "$("$cli" --version)" = "velmor-cli $version" ] || fail ".deb's velmor-cli --version"
"$cli" info --json tests/data/d2v107.d2s | grep -q '"name": "testtt"' || fail ".deb's info"

unzip -q "build-run-win/packages/velmor-${version}-win64.zip" -d "$root/zip"
dir="$root/zip/velmor-${version}-win64"
for f in velmor.exe velmor-cli.exe README.md LICENSE; do
    [ -f "$dir/$f" ] || fail "zip lacks $f"
done
shown=$(scripts/wine-run.sh "$dir/velmor-cli.exe" --version | tr -d '\r')
[ "$shown" = "velmor-cli $version" ] || fail "zip's velmor-cli.exe --version gave '$shown'"
echo "check-packages: the .deb and the zip of $version install and run"
