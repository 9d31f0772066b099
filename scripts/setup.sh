#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Velmor need, where
# missing: the native toolchain and GoogleTest, the MinGW-w64 cross compiler, Wine, a
# virtual display, a CJK font for the Chinese captions, clang with libFuzzer, and the
# checkers of the bash completion, the .deb and the desktop entry. Extra package names may
# be given as arguments.
set -euo pipefail

packages=(cmake g++ make libgtest-dev googletest
          g++-mingw-w64-x86-64 wine wine64 fonts-wine xvfb xauth fonts-wqy-microhei
          clang libclang-rt-14-dev bash-completion lintian desktop-file-utils "$@")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Another installation (a fresh machine's automatic updates, say) may hold the package
# manager's locks for a while: wait up to this many seconds, saying so, before apt-get would
# give up at once. VELMOR_APT_LOCKS names other lock files (the tests use their own).
wait_seconds=${VELMOR_APT_LOCK_WAIT:-300}
read -r -a locks <<<"${VELMOR_APT_LOCKS:-/var/lib/dpkg/lock-frontend /var/lib/dpkg/lock /var/lib/apt/lists/lock /var/cache/apt/archives/lock}"

# The process holding one of the locks, as "PID (NAME)", from /proc/locks (which anyone may
# read); nothing when none is held.
lock_holder() {
    local f inode pid
    for f in "${locks[@]}"; do
        inode=$(stat -c %i "$f" 2>/dev/null) || continue
        pid=$(awk -v inode="$inode" '{
                for (i = 2; i <= NF; i++)
                    if ($i ~ /^[0-9a-f]+:[0-9a-f]+:[0-9]+$/) {
                        n = split($i, dev, ":")
                        if (dev[n] == inode) { print $(i - 1); exit }
                    }
            }' /proc/locks 2>/dev/null)
        if [ -n "$pid" ]; then
            echo "$pid ($(cat "/proc/$pid/comm" 2>/dev/null || echo unknown))"
            return
        fi
    done
}

wait_for_lock() {
    local holder waited=0
    while holder=$(lock_holder) && [ -n "$holder" ] && [ "$waited" -lt "$wait_seconds" ]; do
        [ "$waited" -gt 0 ] ||
            echo "setup.sh: the package manager is busy (process $holder); waiting up to $wait_seconds seconds for it"
        sleep 2
        waited=$((waited + 2))
    done
    [ "$waited" -eq 0 ] || echo "setup.sh: waited $waited seconds for the package manager"
}

if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    # apt-get waits too, silently, for a lock taken between the check and its start.
    apt=(apt-get -o "DPkg::Lock::Timeout=$wait_seconds")
    wait_for_lock
    $sudo "${apt[@]}" update
    wait_for_lock
    DEBIAN_FRONTEND=noninteractive $sudo "${apt[@]}" install -y --no-install-recommends "${missing[@]}"
fi
