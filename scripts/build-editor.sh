#!/usr/bin/env bash
# Builds velmor-cli natively (build-run) and the editor and velmor-cli.exe with MinGW-w64
# (build-run-win, so that `cmake --install build-run-win` finds both programs),
# all in release mode without tests. Used by run.sh and screenshot.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-run -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-run -j2 --target velmor-cli
cmake -S . -B build-run-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-run-win -j2 --target velmor velmor-cli
