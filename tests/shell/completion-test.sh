#!/usr/bin/env bash
# Drives velmor-cli's bash completion as bash does, through COMP_WORDS and COMP_CWORD, in a
# folder holding a save whose name has a blank, a folder and other files, and compares the
# candidates offered with the expected ones.
# usage: completion-test.sh COMPLETION-FILE
set -u
completion=$(realpath "$1")
# shellcheck disable=SC1091
source /usr/share/bash-completion/bash_completion || { echo "no bash-completion" >&2; exit 1; }
source "$completion"

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir" && mkdir saves && touch "My Hero.d2s" Rogar.d2s Rogar.bakvelmor notes.txt

# The candidates for the words (the last is the one being completed), sorted, joined by '|'.
candidates() {
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMP_LINE="$*"
    COMP_LINE=${COMP_LINE// = /=}  # bash splits "--output=sa" into three words
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _velmor_cli velmor-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd '|'
}

failed=0
check() {
    local want=$1
    shift
    local got
    got=$(candidates "$@")
    if [ "$got" != "$want" ]; then
        echo "FAILED: velmor-cli ${*:2}: got '$got', want '$want'" >&2
        failed=1
    fi
}

check "help" velmor-cli h
check "check" velmor-cli ch
check "check|info|new|set" velmor-cli help ""
check "My Hero.d2s" velmor-cli info My
check "My Hero.d2s|Rogar.bakvelmor|Rogar.d2s|saves" velmor-cli check ""
check "--json" velmor-cli check Rogar.d2s --j
check "Amazon|Assassin" velmor-cli set Rogar.d2s --class a
check "Warlock" velmor-cli set Rogar.d2s --class=WAR
check "Warlock" velmor-cli new war
check "saves" velmor-cli set Rogar.d2s --output sa
check "saves" velmor-cli set Rogar.d2s --output = sa
check "My Hero.d2s|Rogar.d2s|saves" velmor-cli new Amazon ""
check "--force" velmor-cli set Rogar.d2s --fo
check "--edition|--force|--game|--hardcore|--help" velmor-cli new Druid Neo.d2s --
check "remaster" velmor-cli new Druid Neo.d2s --game R
check "2.3|2.4|2.5" velmor-cli new Druid --game=2
check "warlock" velmor-cli new --edition w
check "Warlock" velmor-cli new --game remaster --edition warlock war
check "strength=" velmor-cli set Rogar.d2s --class Druid STR
check "" velmor-cli set Rogar.d2s level=4
check "--progress" velmor-cli info Rogar.d2s --pro
check "Nightmare:" velmor-cli set Rogar.d2s --quest NIG
check 'hell:Halls\ of\ Pain=|hell:Halls\ of\ the\ Dead\ Level\ 2=' velmor-cli set Rogar.d2s --waypoint hell:halls
check "Fire\\ Bolt=" velmor-cli set Rogar.d2s --skill "fire bo"
check "Hell=" velmor-cli set Rogar.d2s --waypoints h
check 'Normal:Cow\ King\ killed=' velmor-cli set Rogar.d2s --quest-flag Normal:cow
exit $failed
