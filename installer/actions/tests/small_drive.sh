#!/usr/bin/env bash
# Set-up and clean-up of the full-drive test: small_drive.sh mount|unmount FOLDER
# Mounts a memory file system of 64 KiB and 16 entries on FOLDER, which Windows programs under
# Wine reach through drive Z:. Where mounting is not allowed the folder stays an ordinary one and
# the test skips.
set -u
folder=$2
case $1 in
  mount)
    mkdir -p "$folder"
    if ! mountpoint -q "$folder" && ! mount -t tmpfs -o size=64k,nr_inodes=16,mode=0777 tmpfs "$folder" 2>/dev/null; then
      echo "small_drive: cannot mount on $folder; the full-drive test will skip"
    fi
    ;;
  unmount)
    if mountpoint -q "$folder"; then umount "$folder"; fi
    rmdir "$folder" 2>/dev/null
    ;;
esac
exit 0
