#!/usr/bin/env bash
# Plays a short run of Sorvanto on a virtual X screen as a person would (click the
# yellow field, move the mouse over it until numbers appear) and saves a screenshot.
#   scripts/screenshot.sh OUTPUT.png
set -euo pipefail
output=$(realpath -m "${1:?usage: scripts/screenshot.sh OUTPUT.png}")
cd "$(dirname "$0")/.."
# The picture is the whole screen.
[ "${SORVANTO_VIRTUAL_SCREEN:-none}" = "${DISPLAY:-}" ] ||
  exec scripts/with-x.sh --size 800x560 scripts/screenshot.sh "$output"
program=$(realpath build/app/sorvanto)

app=
cleanup() {
  [ -z "$app" ] || kill "$app" 2>/dev/null || true
}
trap cleanup EXIT

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
