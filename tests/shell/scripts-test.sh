#!/usr/bin/env bash
# The README's scripts as a player meets them: run.sh without a display says so at once
# (before installing or building anything), and the demo folder keeps a player's edits
# until --fresh asks for it anew; setup.sh waits for the package manager's lock.
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

# setup.sh waits for the package manager's lock while another process holds it, and says
# so: here a lock file of the test's own, held until setup.sh says it waits (30 seconds at
# most), and apt-get and sudo that only note their words.
bin="$work/bin"
mkdir "$bin"
for tool in apt-get sudo; do
    printf '#!/bin/sh\n[ "${0##*/}" = sudo ] && exec "$@"\necho "apt-get $*" >>"%s/apt.log"\n' \
        "$work" >"$bin/$tool"
    chmod +x "$bin/$tool"
done
: >"$work/lock"
: >"$work/said"
(flock "$work/lock" sh -c 'for i in $(seq 150); do grep -q busy "$1" && break; sleep 0.2; done' \
    sh "$work/said" && echo released >>"$work/apt.log") &
sleep 0.5
PATH="$bin:$PATH" VELMOR_APT_LOCKS="$work/lock" "$root/scripts/setup.sh" velmor-no-such-package \
    >"$work/said"
wait
said=$(cat "$work/said")
[[ $said == *"package manager is busy (process "*" (flock)); waiting up to 300 seconds"* ]] ||
    fail "setup.sh said while the lock was held: $said"
ran=$(cat "$work/apt.log")
[[ $ran == "released"$'\n'"apt-get -o DPkg::Lock::Timeout=300 update"$'\n'"apt-get -o DPkg::Lock::Timeout=300 install -y "*velmor-no-such-package ]] ||
    fail "setup.sh ran, after the lock was released or not: $ran"
exit $failed
