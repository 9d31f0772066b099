#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Velmor need, where
# missing: the native toolchain and GoogleTest, the MinGW-w64 cross compiler, Wine, a
# virtual display, a CJK font for the Chinese captions, clang with libFuzzer, and the
# checkers of the bash completion, the .deb and the desktop entry. Extra package names may
# be given as arguments.
set -euo pipefail

packages=(cmake g++ make libgtest-dev googletest
          g++-mingw-w64-x86-64 wine wine64 fonts-wine xvfb xauth fonts-wqy-microhei
          clang libclang-rt-14-dev bash-completion lintian desktop-file-utils "$@")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
