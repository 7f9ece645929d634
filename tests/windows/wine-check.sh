# shellcheck shell=bash
# What the checks of Sorvanto for Windows under Wine share, sourced by each from the
# repository's folder as ". tests/windows/wine-check.sh BUILD_DIR FOLDER NAME": the build's
# facts, a fresh Wine prefix in BUILD_DIR/FOLDER, failures that name the check and leave a
# screenshot there, waits for a state (a window, a file, a process that ended) rather than
# for a fixed time, and a person drawing numbers with the mouse in the main window. Each
# check runs on a virtual screen of its own, with a window manager.
if [ -z "${SORVANTO_CHECK_ON_X:-}" ]; then
  exec env SORVANTO_CHECK_ON_X=1 scripts/with-x.sh --wm "$0" "$1"
fi
build=$(cd "$1" && pwd)
check=$3
# shellcheck source=/dev/null
. "$build/sorvanto-facts.sh"
work="$build/$2"
rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX="$work/prefix"
# shellcheck source=cmake/wine-env.sh
. cmake/wine-env.sh
drive="$WINEPREFIX/drive_c"

fail() {
  echo "$check: $*" >&2
  import -window root "$work/failure.png" 2>/dev/null || true
  exit 1
}
# A fault that leaves the rest worth checking: reported at the end, with the others.
faults=()
fault() {
  echo "$check: $*" >&2
  faults+=("$*")
}
trap 'echo "$check: failed at line $LINENO" >&2' ERR
trap 'wineserver -k 2>/dev/null || true' EXIT
# Holds once "$2"... does, within $1 seconds.
within() {
  local end=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.2
  done
}
# Whether a visible window named $1 exists; its id goes to $found.
shown() { found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) && [ -n "$found" ]; }
gone() { ! shown "$1"; }
ended() { ! kill -0 "$1" 2>/dev/null; }
# Every Wine process of the prefix has ended, the registry written to its files.
wine_idle() { timeout 120 wineserver -w; }
# The files of the prefix but Wine's own and the temporary ones.
prefix_files() {
  (cd "$drive" && find . -path ./windows -prune -o -path '*/Temp' -prune -o -print | LC_ALL=C sort)
}
# The inner corner of window $1 on the screen and its inner size, in $X, $Y, $WIDTH and
# $HEIGHT (xdotool's own counts the frame's offset twice under a window manager).
geometry() {
  eval "$(xwininfo -id "$1" | sed -n -e 's/^ *Absolute upper-left \([XY]\): *\(-\?[0-9]*\)$/\1=\2/p' \
    -e 's/^ *Width: *\([0-9]*\)$/WIDTH=\1/p' -e 's/^ *Height: *\([0-9]*\)$/HEIGHT=\1/p')"
}
# The window's inner size is at least the least one.
at_least_least_size() {
  geometry "$window"
  [ "$WIDTH" -ge "${SORVANTO_INNER_SIZE%x*}" ] && [ "$HEIGHT" -ge "${SORVANTO_INNER_SIZE#*x}" ]
}
# The program's main window, once it shows at its size: its id in $window, its process in
# $pid and its inner corner in $origin.
main_window() {
  within 60 shown Sorvanto || fail "the program shows no window"
  window=$found
  within 60 at_least_least_size || fail "the window is ${WIDTH}x$HEIGHT"
  pid=$(xdotool getwindowpid "$window")
  origin=("$X" "$Y")
}
# Places in the main window, in pixels from its inner corner.
field=(374 174) numbers=(180x40 12 140)
at() { at_x=$((origin[0] + $1)) at_y=$((origin[1] + $2)); }
click_at() { at "$@" && xdotool mousemove "$at_x" "$at_y" click 1; }
# How many colours the numbers' part of the result box shows: one while it is empty.
numbers_colours() {
  at "${numbers[1]}" "${numbers[2]}"
  import -window root -crop "${numbers[0]}+$at_x+$at_y" -format %k info:
}
# A person moving the mouse over the field for a few seconds, and numbers drawn.
moved_and_drawn() {
  local moves=() step
  for step in $(seq 1 100); do
    at $((field[0] + (step * 37) % 240 - 120)) $((field[1] + (step * 53) % 200 - 100))
    moves+=(mousemove "$at_x" "$at_y" sleep 0.02)
  done
  xdotool "${moves[@]}"
  [ "$(numbers_colours)" -gt 1 ]
}
# Clicks the field and moves the mouse over it until numbers show.
draw_numbers() {
  [ "$(numbers_colours)" = 1 ] || fail "the result box is not empty at the start"
  click_at "${field[@]}"
  within 60 moved_and_drawn || fail "no numbers drawn from the mouse's movements"
}
# Closes the main window as a person would, and waits for the program to end.
close_program() {
  timeout 20 xdotool windowactivate --sync "$window" key alt+F4 || fail "the window cannot be activated"
  within 60 ended "$pid" || fail "the program does not close"
}

wineboot -i >/dev/null 2>&1
wine_idle
