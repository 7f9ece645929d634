#!/usr/bin/env bash
# Shows that PROGRAM never tries a library from the folder it starts in: it is started,
# as scripts/run.sh does, in a folder holding its table and a planted libgcc_s.so.1 (which
# the C++ runtime needs, so the loader looks for it), and the loader's log must name no
# file there, nor any relative path. Without a display the program ends with error 68
# once its libraries are loaded.
#   tests/loader/planted-library.sh PROGRAM TABLE
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 PROGRAM TABLE" >&2; exit 2; }
program=$(realpath "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
start=$scratch/start
mkdir "$start"
cp "$2" "$start/table.txt"
echo 'not a library' >"$start/libgcc_s.so.1"

status=0
(cd "$start" && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb LD_DEBUG=libs \
  LD_DEBUG_OUTPUT="$scratch/loader" "$program") >"$scratch/output" 2>&1 || status=$?
log=$(cat "$scratch"/loader.*)
grep -q 'find library=libgcc_s\.so\.1' <<<"$log" ||
  { echo "the loader never looked for libgcc_s.so.1, so this shows nothing"; exit 1; }
if tried=$(grep -E "trying file=([^/]|$start)" <<<"$log"); then
  echo "the loader tried files in the start folder $start, among them:"
  grep -F libgcc_s.so.1 <<<"$tried" || head -n 5 <<<"$tried"
  exit 1
fi
[ "$status" -eq 68 ] || { echo "ended with $status, not 68:"; cat "$scratch/output"; exit 1; }
echo "no library tried from the start folder"
