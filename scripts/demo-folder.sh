#!/usr/bin/env bash
# Makes a folder of demo saves with velmor-cli: one character of each class (the Warlock a
# version-105 sample of the tests), a hardcore character that has died, and a backup copy.
# An existing folder is kept as it is, with a player's edits, unless --fresh asks for it to
# be made anew. The saves are made in a folder beside it that replaces it only when complete.
# usage: demo-folder.sh [--fresh] CLI FOLDER
set -euo pipefail
fresh=0
if [ "${1:-}" = --fresh ]; then fresh=1; shift; fi
[ $# -eq 2 ] || { echo "usage: demo-folder.sh [--fresh] CLI FOLDER" >&2; exit 2; }
cli=$(realpath "$1")
samples=$(realpath "$(dirname "$0")/../tests/data")
folder=$2
if [ -d "$folder" ] && [ $fresh = 0 ]; then exit 0; fi
work="$folder.new"
rm -rf "$work"
mkdir -p "$work"
cd "$work"
for c in Amazone:Lyra Sorceress:Vesna Necromancer:Morvek Paladin:Aldric Barbar:Rogar \
         Druid:Alvar Assassine:Kasha Necromancer:Mortis; do
    "$cli" new "${c%%:*}" "${c##*:}.d2s" >/dev/null
done
"$cli" set Rogar.d2s level=42 strength=180 vitality=150 life=620 stamina=480 gold=150000 \
    --skills-full >/dev/null
"$cli" set Kasha.d2s level=27 dexterity=140 mana=210 statPoints=5 >/dev/null --no-backup
# Mortis played hardcore and died: status flags 0x0C.
printf '\x0c' | dd of=Mortis.d2s bs=1 seek=24 conv=notrunc status=none
# New characters are of version 89; a Warlock exists only in version 105: a game-made one.
cp "$samples/105_Warlock.d2s" Warlock.d2s
cd - >/dev/null
rm -rf "$folder"
mv "$work" "$folder"
