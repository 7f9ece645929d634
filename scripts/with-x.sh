#!/usr/bin/env bash
# Runs one command on a virtual X screen of its own, and ends the screen after it: the one
# way every check and script here gets an X server.
#   scripts/with-x.sh [--wm] [--size WxH] COMMAND [ARG...]
# The server runs with -noreset, so that it never resets (and refuses connections
# meanwhile) when its last client leaves; --wm starts a window manager (openbox) too, for
# checks of frames and sizes. The command's exit status is this script's.
set -euo pipefail
wm=false
size=1280x1024
while [ $# -gt 0 ]; do
  case "$1" in
    --wm) wm=true; shift ;;
    --size) size=$2; shift 2 ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || { echo "usage: $0 [--wm] [--size WxH] COMMAND [ARG...]" >&2; exit 2; }

scratch=$(mktemp -d)
server='' manager=''
cleanup() {
  [ -z "$manager" ] || kill "$manager" 2>/dev/null || true
  [ -z "$server" ] || kill "$server" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# -displayfd picks a free display and writes its number once the server accepts clients.
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$scratch/display" \
  2>"$scratch/server.log" &
server=$!
for _ in $(seq 100); do
  [ -s "$scratch/display" ] && break
  kill -0 "$server" 2>/dev/null || { cat "$scratch/server.log" >&2; exit 1; }
  sleep 0.1
done
[ -s "$scratch/display" ] || { echo "$0: the X server did not start" >&2; exit 1; }
DISPLAY=":$(cat "$scratch/display")"
# A script that runs itself through this one knows by this that it is on its screen.
SORVANTO_VIRTUAL_SCREEN=$DISPLAY
# The screen's programs get a runtime folder of their own: without one, Qt makes one in
# /tmp and GLib falls back to ~/.cache, and a desktop session's is not theirs to use.
XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export DISPLAY SORVANTO_VIRTUAL_SCREEN XDG_RUNTIME_DIR

if $wm; then
  # openbox keeps a log and its sessions in the cache folder: this screen's, not the home's.
  XDG_CACHE_HOME=$scratch openbox >"$scratch/wm.log" 2>&1 &
  manager=$!
  # The manager has taken over once it owns the screen's window-manager selection.
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
fi

"$@"
