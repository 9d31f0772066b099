#!/usr/bin/env bash
# velmor-cli's outputs pinned whole: info and check (text and JSON) of every sample, the help
# texts, and a table of runs (bad words, bad files, edits) with what each leaves in the folder.
# Each output is its standard output, then "--- stderr" and what it said there, then
# "--- exit N" when N is not 0; a run of the table also lists what it left behind.
#   cli-outputs.sh VELMOR-CLI VERSION      compare with tests/data/expected/cli
#   cli-outputs.sh VELMOR-CLI --write      write them there anew, to be reviewed as a diff
set -u
export LC_ALL=C
root=$(cd "$(dirname "$0")/../.." && pwd)
data=$root/tests/data
expected=$data/expected/cli
cli=$(realpath "$1")
mode=${2:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out=$work/out
mkdir -p "$out"

# run FILE ARGS...: the output of one run, into FILE.
run() {
    local file=$1 status
    shift
    "$cli" "$@" >"$file" 2>"$work/err" </dev/null
    status=$?
    if [ -s "$work/err" ]; then echo "--- stderr" && cat "$work/err"; fi >>"$file"
    [ $status = 0 ] || echo "--- exit $status" >>"$file"
}

# Each sample under its character's own name, so that check judges more than the name.
mkdir "$work/samples"
while read -r sample name; do
    cp "$data/$sample.d2s" "$work/samples/$name.d2s"
    for form in "info txt" "info json --json" "info progress --progress" "check txt" \
        "check json --json"; do
        set -- $form
        (cd "$work/samples" && run "$out/$sample.$1.$2" "$1" ${3:-} "$name.d2s")
    done
done <<'EOF'
105_Warlock Warlock
105_barbclassic barbclassic
105_barbexp barbexp
105_barbrotw barbrotw
96_NokkaSorc NokkaSorc
96_classic classic
96_simple Simple
97_Barb_hp3 Barb
98_Agelatus Agelatus
98_InitialSave InitialSave
99_Wilhelm Wilhelm
d2v107 testtt
d2v108 fddfss
d2v109b sdfsf
d2v110f dfgdf
EOF
if [ "$(ls "$data"/*.d2s | wc -l)" != "$(ls "$work/samples" | wc -l)" ]; then
    echo "cli-outputs.sh: a sample of tests/data is missing from the list of samples" >&2
    exit 1
fi

run "$out/help.txt" help
for topic in info set new check; do run "$out/help-$topic.txt" help "$topic"; done

# patch FILE OFFSET BYTES: bytes written over the file at the offset (printf escapes).
patch() { printf "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none; }
le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
# seal FILE: its size field and checksum as the game writes them (the sum rotated left).
seal() {
    local sum=0 b
    patch "$1" 8 "$(le32 "$(stat -c %s "$1")")" && patch "$1" 12 '\0\0\0\0'
    for b in $(od -An -tu1 -v "$1"); do sum=$((((sum << 1 | sum >> 31) + b) & 0xFFFFFFFF)); done
    patch "$1" 12 "$(le32 $sum)"
}

# The folder every run of the table starts from.
fixture() {
    rm -rf "$work/f" && mkdir "$work/f" && cd "$work/f" || exit 1
    cp "$data/d2v107.d2s" hero.d2s && printf key >hero.key
    cp "$data/99_Wilhelm.d2s" Wilhelm.bakvelmor && cp Wilhelm.bakvelmor Wilhelm.d2s
    patch Wilhelm.d2s 36 '\x2c'  # dead hardcore, and the checksum no longer fits
    cp "$data/98_InitialSave.d2s" v98.d2s
    # Version 105 of editions 1 (with status bit 0x20, which does not count there) and 2.
    cp "$data/105_barbclassic.d2s" e1.d2s && patch e1.d2s 20 '\x20'
    cp "$data/105_barbexp.d2s" e2.d2s
    cp "$data/d2v108.d2s" Abcdefghijklmno.d2s
    patch Abcdefghijklmno.d2s 8 'Abcdefghijklmno\0' && patch Abcdefghijklmno.d2s 24 '\x2c'
    cp "$data/d2v107.d2s" odd.d2s && patch odd.d2s 8 'a\x01\x1f"\\b\xe9\0' && patch odd.d2s 24 '\x04'
    : >empty.d2s && head -c 659 "$data/d2v107.d2s" >short.d2s && mkdir folder.d2s
    cp "$data/d2v107.d2s" nosig.d2s && patch nosig.d2s 0 '\x55\xaa\x55\xab'
    cp "$data/d2v107.d2s" v71.d2s && patch v71.d2s 4 '\x47'
    cp "$data/d2v107.d2s" v100.d2s && patch v100.d2s 4 '\x64'
    cp "$data/d2v107.d2s" big.d2s && head -c 99164 /dev/zero >>big.d2s  # 100001 bytes
    cp "$data/d2v109b.d2s" badsum.d2s && patch badsum.d2s 200 '\x01'
    cp "$data/d2v109b.d2s" badsize.d2s && patch badsize.d2s 8 '\xde'
    # Status bit 0x40 on each layout: the ladder flag from 1.10 on, nothing before.
    cp "$data/d2v108.d2s" ladder89.d2s && patch ladder89.d2s 24 '\x60'
    cp "$data/d2v109b.d2s" ladder92.d2s && patch ladder92.d2s 36 '\x60'
    cp "$data/d2v110f.d2s" ladder96.d2s && patch ladder96.d2s 36 '\x60'
    cp "$data/105_barbexp.d2s" ladder105.d2s && patch ladder105.d2s 20 '\x40'
    # A level-94 character of version 96 with 2,500,000 in the stash: 1.13 and later keep it.
    cp "$data/96_NokkaSorc.d2s" NokkaSorc.d2s && patch NokkaSorc.d2s 816 '\xa0\x25\x26'
    seal NokkaSorc.d2s
    # Version 105 keeps names in 48 bytes: one of 21 letters.
    cp "$data/105_barbexp.d2s" name105.d2s && patch name105.d2s 299 'Abcdefghijklmnopqrstu'
}

# What is in the folder: a line per entry, its name and its content's sum ("dir" for a folder).
contents() {
    find . -mindepth 1 -type d -printf '%P dir\n'
    find . -type f -exec md5sum {} + | sed -E 's|^([0-9a-f]*)  \./(.*)$|\2 \1|'
}

# What a run left: "+ NAME" made, "~ NAME" changed, "- NAME" gone; "(as OTHER was)" when
# the bytes are those OTHER held before the run.
left() {
    awk 'NR == FNR { before[$1] = $2; had[$2] = had[$2] ? had[$2] : $1; next }
         { now[$1] = $2 }
         !($1 in before) || before[$1] != $2 {
             as = had[$2] && had[$2] != $1 ? " (as " had[$2] " was)" : ""
             print "--- " ($1 in before ? "~ " : "+ ") $1 as }
         END { for (n in before) if (!(n in now)) print "--- - " n }' "$1" "$2" | sort -k3
}

while read -r line; do
    [ -n "$line" ] && [ "${line:0:1}" != "#" ] || continue
    fixture
    contents | sort >"$work/before"
    eval "args=($line)"
    {
        shown=${line#FULL }
        [ "$shown" = "$line" ] || shown="$shown >/dev/full"
        echo "\$ velmor-cli $shown"
        if [ "${args[0]}" = FULL ]; then
            "$cli" "${args[@]:1}" >/dev/full 2>"$work/err" </dev/null
            status=$?
            echo "--- stderr" && cat "$work/err"
            [ $status = 0 ] || echo "--- exit $status"
        else
            run "$work/one" "${args[@]}" && cat "$work/one"
        fi
        contents | sort >"$work/after"
        left "$work/before" "$work/after"
    } >>"$out/runs.txt"
done <<'EOF'
# Words velmor-cli refuses: nothing on standard output, nothing written.
-V extra
--bogus
frobnicate hero.d2s
help bogus
help info set
info --force hero.d2s
info -- --json
check
check --json
new
new Paladin
new Amazone ''
new 8 Hero.d2s
new warlock Hero.d2s
new Paladin Hero.d2s extra
new Paladin Hero.d2s.txt
new warlock Hero.d2s --game 1.14d
new druid Hero.d2s --game remaster --edition classic
new warlock Hero.d2s --game remaster
new amazon Hero.d2s --hardcore
new amazon Hero.d2s --game 1.13
new 0 A.d2s --game remaster
set
set hero.d2s --bogus
set hero.d2s speed=5
set hero.d2s level
set hero.d2s level=abc
set hero.d2s Level=
set hero.d2s strength=-250
set hero.d2s gold=1e6
set hero.d2s gold=1 GOLD=2
set hero.d2s --class ''
set hero.d2s --class=Wizard
set hero.d2s --class
set hero.d2s --output=
set hero.d2s --complete-game --restart-game
set hero.d2s --skills-none --skills-full
set hero.d2s --no-backup --overwrite-backup
# Names a new or saved-as character cannot take, classes its file has not.
new Paladin A.d2s
new 1 Abcdefghijklmnop.D2S
new Paladin 'a\Hero.d2s'
new Paladin hero.d2s
set hero.d2s --output=My.Hero.d2s
set hero.d2s --output=Wilhelm.d2s
set e1.d2s --class druid
set e2.d2s --class=Warlock
set Wilhelm.bakvelmor level=2
set v98.d2s strength=5
# Files that cannot be read or written.
info empty.d2s short.d2s folder.d2s nosig.d2s v71.d2s v100.d2s big.d2s badsum.d2s badsize.d2s missing.d2s
check v71.d2s
check --json empty.d2s short.d2s folder.d2s nosig.d2s v71.d2s v100.d2s big.d2s badsum.d2s badsize.d2s missing.d2s
info --json v71.d2s v100.d2s
# A stash that only 1.10-1.12 empty: check tells it apart and exits 0; a save keeps it.
check NokkaSorc.d2s
check --json NokkaSorc.d2s
set NokkaSorc.d2s --no-backup
set empty.d2s level=2
set short.d2s level=2
set folder.d2s level=2
set nosig.d2s level=2
set v71.d2s level=2
set v100.d2s level=2
set big.d2s level=2
set missing.d2s level=2
FULL info hero.d2s
# Runs that do their work.
--help
info --json --help
set --help
info Abcdefghijklmno.d2s missing.d2s odd.d2s
info --json e1.d2s
info --json ladder89.d2s ladder92.d2s ladder96.d2s ladder105.d2s
info name105.d2s
info --json Abcdefghijklmno.d2s missing.d2s odd.d2s
check hero.d2s Wilhelm.d2s odd.d2s badsum.d2s
check --json Abcdefghijklmno.d2s badsize.d2s
new amazone Hero.d2s
new 06 -- Hero.d2s
new Paladin hero.d2s --force
new sorceress Sorc.d2s --game 1.14d --hardcore
# A classic character has 30 waypoints and no Scroll of Resistance.
set e1.d2s --waypoint Normal:Harrogath=on
set e1.d2s --quest-flag "Hell:Scroll of Resistance read=on"
# Names are whole names: the start of one names nothing.
set hero.d2s --waypoint Normal:Cold=on
set hero.d2s --skill Bas=1
set hero.d2s --quest "Normal:Den=done"
set hero.d2s --quest "Night:Den of Evil=done"
set hero.d2s --quest "Normal:Radament's Lair=waiting"
set hero.d2s level=120 strength=0 gold=99999999 life=000000000000000000000000000000000000000000000000000000042
set hero.d2s --max-gold --skills-full --complete-game --no-backup
set hero.d2s --class=Amazon --output Other.d2s
set hero.d2s --output=Wilhelm.d2s --force
set Wilhelm.d2s
set Wilhelm.d2s --overwrite-backup
set Wilhelm.bakvelmor --output=Willy.d2s
set e2.d2s --class=Druid --restart-game --skills-none
set badsum.d2s statPoints=3
EOF

if [ "$mode" = --write ]; then
    rm -rf "$expected" && mkdir -p "$expected" && cp "$out"/* "$expected"/
    exit 0
fi
failed=0
[ "$("$cli" --version)" = "velmor-cli $mode" ] || { echo "FAILED: --version"; failed=1; }
diff -r -u "$expected" "$out" || failed=1
exit $failed
