#!/usr/bin/env bash
# Unpacks the packages that scripts/package.sh made into a temporary root and runs what
# they hold: velmor-cli from the .deb natively (it must not be a sanitized build), and
# velmor-cli.exe from the zip under Wine. A difference ends it with status 1 and says which.
set -euo pipefail
cd "$(dirname "$0")/../.."
version=$(sed -n 's/^project(velmor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
# The zip is unpacked outside any build folder: its program runs in the tests' prefix.
export VELMOR_TEST_WINEPREFIX="${VELMOR_TEST_WINEPREFIX:-$PWD/build-win/wineprefix}"
fail() { echo "check-packages: FAILED: $*" >&2; exit 1; }

dpkg -x "build-run/packages/velmor-cli_${version}_amd64.deb" "$root"
unzip -q "build-run-win/packages/velmor-${version}-win64.zip" -d "$root"
for f in usr/share/man/man1/velmor-cli.1 usr/share/bash-completion/completions/velmor-cli \
         usr/share/doc/velmor-cli/LICENSE velmor-$version-win64/{velmor.exe,README.md,LICENSE}; do
    [ -f "$root/$f" ] || fail "no $f in the packages"
done
! grep -q __asan_init "$root/usr/bin/velmor-cli" || fail "the .deb holds a sanitized build"
for cli in "$root/usr/bin/velmor-cli" "scripts/wine-run.sh $root/velmor-$version-win64/velmor-cli.exe"; do
    shown=$($cli --version | tr -d '\r')
    [ "$shown" = "velmor-cli $version" ] || fail "$cli --version printed '$shown'"
done
echo "check-packages: the .deb and the zip of $version unpack and run"
