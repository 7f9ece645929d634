#!/usr/bin/env bash
# Runs a command as root in a throwaway copy of this machine, for checks that install and
# remove packages: a copy-on-write overlay of / in a mount namespace of its own, entered
# with chroot. Whatever the command changes (packages, their database, any file) lands in
# a layer in memory that goes with the namespace; this machine stays as it was.
#   scripts/throwaway-root.sh [--share DIR]... COMMAND [ARG...]
# The overlay shows the root file system only; each --share DIR (the build folder, say)
# is shown at its own path as well, read-only. The command starts in the current folder,
# which is shared too. The X server and the network are this machine's.
#   scripts/throwaway-root.sh --check
# makes the copy and ends at once, with status 0 if one can be made here, and else with
# the failed step's message: not where nothing may be mounted (a container without
# CAP_SYS_ADMIN), nor where / is no mount point (a chroot into a plain folder).
set -euo pipefail
[ "$(id -u)" -eq 0 ] || exec sudo --preserve-env=DISPLAY,SORVANTO_VIRTUAL_SCREEN "$0" "$@"

if [ -z "${SORVANTO_THROWAWAY_LAYER:-}" ]; then
  # Mounts made in a namespace of its own vanish with it, even if this script is killed;
  # only the empty folder they were made on stays to remove.
  SORVANTO_THROWAWAY_LAYER=$(mktemp -d)
  export SORVANTO_THROWAWAY_LAYER
  status=0
  unshare --mount --propagation private "$0" "$@" || status=$?
  rmdir "$SORVANTO_THROWAWAY_LAYER"
  exit "$status"
fi

check=false
if [ "${1:-}" = --check ]; then
  check=true
  shift
fi
shares=("$PWD")
while [ "${1:-}" = --share ]; do
  shares+=("$(realpath "$2")")
  shift 2
done
$check || [ $# -gt 0 ] || { echo "usage: $0 [--share DIR]... COMMAND [ARG...]" >&2; exit 2; }

layer=$SORVANTO_THROWAWAY_LAYER
unset SORVANTO_THROWAWAY_LAYER
mount -t tmpfs throwaway "$layer"
mkdir "$layer/upper" "$layer/work" "$layer/root"
root=$layer/root
mount -t overlay throwaway -o "lowerdir=/,upperdir=$layer/upper,workdir=$layer/work" "$root"
mount --rbind /dev "$root/dev"
mount --rbind /sys "$root/sys"
mount -t proc proc "$root/proc"
mount -t tmpfs run "$root/run"
for dir in "${shares[@]}"; do
  mkdir -p "$root$dir"
  mount --bind "$dir" "$root$dir"
  mount -o remount,bind,ro "$root$dir"
done
! $check || exit 0
# The caller's TMPDIR may lie on a mount of its own, which the copy does not show; the
# copy's own /tmp goes with it.
exec chroot "$root" env --chdir="$PWD" -u TMPDIR "$@"
