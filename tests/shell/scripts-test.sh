#!/usr/bin/env bash
# The README's scripts as a player meets them: run.sh without a display says so at once
# (before installing or building anything), and the demo folder keeps a player's edits
# until --fresh asks for it anew.
# usage: scripts-test.sh VELMOR-CLI
set -u
export LC_ALL=C
root=$(cd "$(dirname "$0")/../.." && pwd)
cli=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAILED: $*" >&2; failed=1; }

err=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$root/scripts/run.sh" 2>&1 >/dev/null)
status=$?
[ $status = 1 ] || fail "run.sh without a display: status $status"
[[ $err == "run.sh: there is no display to show the editor's window on"* ]] ||
    fail "run.sh without a display said: $err"
env DISPLAY= WAYLAND_DISPLAY= "$root/scripts/run.sh" --bogus 2>/dev/null
[ $? = 2 ] || fail "run.sh --bogus is no usage error"

demo="$work/demo"
"$root/scripts/demo-folder.sh" "$cli" "$demo" || fail "demo-folder.sh failed"
saves=$(cd "$demo" && echo *)
[ "$saves" = "Aldric.d2s Alvar.d2s Kasha.d2s Lyra.d2s Mortis.d2s Morvek.d2s Rogar.bakvelmor Rogar.d2s Vesna.d2s Warlock.d2s" ] ||
    fail "the demo folder holds: $saves"
echo edited >"$demo/Lyra.d2s"
"$root/scripts/demo-folder.sh" "$cli" "$demo"
[ "$(cat "$demo/Lyra.d2s")" = edited ] || fail "a second run did not keep the edited save"
"$root/scripts/demo-folder.sh" --fresh "$cli" "$demo"
[ "$(head -c 4 "$demo/Lyra.d2s" | od -An -tx1 | tr -d ' ')" = 55aa55aa ] ||
    fail "--fresh did not make the save anew"
[ "$(ls "$work")" = demo ] || fail "left beside the demo folder: $(ls "$work")"
exit $failed
