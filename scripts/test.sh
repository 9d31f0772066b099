#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the portable core and
# velmor-cli natively under ASan and UBSan, the Windows editor under Wine, the packages
# (made, unpacked and run), and each fuzz target for a short while (where clang is present).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake -S . -B build-native -DVELMOR_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
cmake --build build-native -j2
ctest --test-dir build-native --output-on-failure -j2

cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release
cmake --build build-win -j2
ctest --test-dir build-win --output-on-failure

scripts/package.sh
tests/package/check-packages.sh

scripts/fuzz.sh "${VELMOR_FUZZ_SECONDS:-30}"
