#!/usr/bin/env bash
# Plays a short run of Sorvanto on a virtual X screen as a person would (click the
# yellow field, move the mouse over it until numbers appear) and saves a screenshot.
#   scripts/screenshot.sh OUTPUT.png
set -euo pipefail
cd "$(dirname "$0")/.."
output=$(realpath -m "${1:?usage: scripts/screenshot.sh OUTPUT.png}")
program=$(realpath build/app/sorvanto)

display=:97
Xvfb "$display" -screen 0 800x560x24 -nolisten tcp &
xvfb=$!
app=
cleanup() {
  [ -z "$app" ] || kill "$app" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

(cd examples && exec "$program") &
app=$!
window=$(xdotool search --sync --onlyvisible --name '^Sorvanto$' | head -n 1)
xdotool windowmove --sync "$window" 40 40
sleep 0.5

# The yellow field starts 224 pixels right of and 24 below the window's corner.
field_x=$((40 + 224 + 40)) field_y=$((40 + 24 + 40))
xdotool mousemove "$field_x" "$field_y" click 1
RANDOM=1245
for step in $(seq 260); do
  xdotool mousemove $((field_x + RANDOM % 320)) $((field_y + RANDOM % 320))
  if [ "$step" -le 110 ]; then sleep 0.03; else sleep 0.21; fi
done
import -window root "$output"
