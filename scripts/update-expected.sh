#!/usr/bin/env bash
# Writes the expected outputs of tests/data/expected anew from the current build: velmor-cli's
# (native) and the window's status lines (under Wine). Review the change as a diff
# (git diff tests/data/expected) before committing it: the tests compare against these files.
# usage: scripts/update-expected.sh [NATIVE-BUILD-FOLDER [WINDOWS-BUILD-FOLDER]]
set -euo pipefail
cd "$(dirname "$0")/.."
native=${1:-build-native} win=${2:-build-win}
cmake --build "$native" -j2 --target velmor-cli
tests/shell/cli-outputs.sh "$native/velmor-cli" --write
if [ -f "$win/CMakeCache.txt" ]; then
    cmake --build "$win" -j2 --target velmor_win_tests
    VELMOR_UPDATE_EXPECTED=1 ctest --test-dir "$win" -R '^win32_Window$' --output-on-failure
else
    echo "update-expected.sh: no Windows build in $win; the window's files are as they were" >&2
fi
git status --short tests/data/expected
