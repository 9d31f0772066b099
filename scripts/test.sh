#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

# Native build of the portable core, velmor-cli and their tests, under ASan and UBSan.
cmake -S . -B build-native -DVELMOR_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
cmake --build build-native -j2
ctest --test-dir build-native --output-on-failure -j2
