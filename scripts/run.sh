#!/usr/bin/env bash
# Installs what is missing, builds velmor-cli and shows it at work on a copy of the demo save.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build-run -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-run -j2 --target velmor-cli

cli=build-run/velmor-cli
rm -rf build-run/demo
cp -r demo build-run/demo
cd build-run/demo

set -x
../velmor-cli info Rogar.d2s
../velmor-cli set Rogar.d2s level=30 strength=250 vitality=-80 mana=99999 --max-gold --skills-full
../velmor-cli info Rogar.d2s --json
../velmor-cli new Druid Alvar.d2s
ls -l
