#!/usr/bin/env bash
# Makes the packages with CPack from the release builds without tests or sanitizers that
# run.sh also uses: build-run/packages/velmor-cli_X.Y.Z_amd64.deb (velmor-cli with its man
# page and bash completion) and build-run-win/packages/velmor-X.Y.Z-win64.zip (velmor.exe,
# velmor-cli.exe, README, LICENSE). Where lintian is installed, it checks the .deb.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-run -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVELMOR_SANITIZE=OFF \
      >/dev/null
cmake --build build-run -j2 --target package
cmake -S . -B build-run-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-run-win -j2 --target package
ls -1 build-run/packages/*.deb build-run-win/packages/*.zip
if command -v lintian >/dev/null; then
    findings=$(lintian build-run/packages/*.deb 2>&1 | grep -v 'running with root privileges') || true
    echo "lintian: ${findings:-no findings}"
fi
