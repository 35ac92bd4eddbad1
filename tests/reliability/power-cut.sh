#!/usr/bin/env bash
# power-cut.sh CATALOGUE_STEPS PUBLISH_PAGES_TOOL DRIVEN_PROGRAM
# Save All and Build Pages into an ext4 disk image; the image is copied the moment each reports
# success, as a power cut would leave the disk, and the copy (its journal replayed, as at the next
# boot) must hold the new files, byte for byte; so must it the window's journal of unsaved edits a
# second and a half after an edit. Needs root and a loop device; skips without them.
set -euo pipefail
steps=$(realpath "$1") publish=$(realpath "$2") driven=$(realpath "$3")
skip() { echo "SKIP: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "needs root to mount a disk image"
command -v mkfs.ext4 >/dev/null && command -v debugfs >/dev/null || skip "needs e2fsprogs"

work=$(mktemp -d)
disk=$work/mnt
cleanup() {
    [ -z "${driven_pid:-}" ] || { kill -9 "$driven_pid" && wait "$driven_pid"; } 2>/dev/null || true
    mountpoint -q "$disk" && umount "$disk"
    rm -rf "$work"
}
trap cleanup EXIT
mkdir "$disk"
truncate -s 64M "$work/disk.img"
mkfs.ext4 -q "$work/disk.img"
mount -o loop "$work/disk.img" "$disk" 2>/dev/null || skip "no loop device to mount the image"

old='"Name:","Old"\r\n"Total Pictures:",1\r\n'
for f in projects.txt projects_index.htm projects_short.htm projects_long.htm; do
    printf "$old" >"$disk/$f"
done
sync

# Copies the disk as it stands, replays its journal and compares FILE with what the program wrote.
check() {
    local what=$1; shift
    cp "$work/disk.img" "$work/copy.img"
    e2fsck -fy "$work/copy.img" >/dev/null 2>&1 || true
    for f in "$@"; do
        debugfs -R "dump /$f $work/${f##*/}.after" "$work/copy.img" >/dev/null 2>&1
        if ! cmp -s "$disk/$f" "$work/${f##*/}.after"; then
            echo "FAIL: after $what, a power cut would leave an older $f"
            exit 1
        fi
    done
    echo "$what: the disk holds the new $*"
}

(cd "$disk" && "$steps" load add save) | grep -qx saved
check "Save All" projects.txt
(cd "$disk" && "$publish") | grep -qx ok
check "Build Pages" projects_index.htm projects_short.htm projects_long.htm

mkdir "$disk/config" "$disk/edited" && cp "$disk/projects.txt" "$disk/edited/" && sync
(cd "$disk/edited" && QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$disk/config" CATALOGUE_NAME=Renamed \
    exec "$driven" >"$work/driven.out" 2>/dev/null) &
driven_pid=$!
for _ in $(seq 200); do grep -q stored "$work/driven.out" && break; sleep 0.1; done
sleep 1.5
recovery=config/project-catalogue/recovery
journal=$(ls "$disk/$recovery" 2>/dev/null | head -n1)
[ -n "$journal" ] || { echo "FAIL: no journal 1.5 s after a stored edit"; exit 1; }
check "an edit in the window" "$recovery/$journal"
