#!/usr/bin/env bash
# Installs Sorvanto for Windows from its installer into a fresh Wine prefix, on a virtual
# X screen with a window manager, uses it as a person would, and uninstalls it. It checks
# what only the installed program can show: the installed files, shortcuts and
# Add/Remove Programs entry; the DLLs the program loads; a window that draws numbers from
# real mouse movements, keeps its least size and opens About as an owned dialog; the
# system information tool started from About; an installer and uninstaller that leave a
# running Sorvanto alone; and an uninstall that leaves nothing behind. Every step waits
# for a state (a window, a file, a process that ended) rather than for a fixed time.
#   tests/windows/check-installer.sh BUILD_DIR    (after scripts/build-windows.sh BUILD_DIR)
set -euo pipefail
cd "$(dirname "$0")/../.."
[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
if [ -z "${SORVANTO_CHECK_ON_X:-}" ]; then
  exec env SORVANTO_CHECK_ON_X=1 scripts/with-x.sh --wm "$0" "$@"
fi

build=$(cd "$1" && pwd)
# shellcheck source=/dev/null
. "$build/sorvanto-facts.sh"
installer="$build/$SORVANTO_WINDOWS_INSTALLER"
[ -f "$installer" ] || { echo "no installer at $installer" >&2; exit 2; }
work="$build/installer-check"
rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX="$work/prefix"
# shellcheck source=cmake/wine-env.sh
. cmake/wine-env.sh
drive="$WINEPREFIX/drive_c"
app_dir="$drive/Program Files/Sorvanto"
menu_dir="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Sorvanto"
arp_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Sorvanto'

fail() {
  echo "Windows installer check: $*" >&2
  import -window root "$work/failure.png" 2>/dev/null || true
  exit 1
}
# A fault that leaves the rest worth checking: reported at the end, with the others.
faults=()
fault() {
  echo "Windows installer check: $*" >&2
  faults+=("$*")
}
trap 'echo "Windows installer check: failed at line $LINENO" >&2' ERR
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
# The stand-in tool left its mark, its process and the console Wine gave it have ended,
# and About is the active window again.
tool_ran() {
  [ -f "$drive/sorvanto-tools/tool.exe.started" ] &&
    ! pgrep -f -i 'sorvanto-tools.tool\.exe|conhost\.exe' >/dev/null &&
    xprop -root _NET_ACTIVE_WINDOW | grep -q "$(printf '0x%x$' "$about_window")"
}
# Every Wine process of the prefix has ended, the registry written to its files.
wine_idle() { timeout 120 wineserver -w; }
# The files of the prefix but Wine's own and the temporary ones.
prefix_files() {
  (cd "$drive" && find . -path ./windows -prune -o -path '*/Temp' -prune -o -print | LC_ALL=C sort)
}
# What is installed, to the byte and the time each file was written.
installed_state() {
  find "$app_dir" "$menu_dir" -type f -printf '%P %s %T@\n' | LC_ALL=C sort
  wine reg query "$arp_key"
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
# The same for two seconds in a row: the resize rule has had its run, which it gets in the
# same turn of the program's event loop as the resize.
keeps_least_size() { at_least_least_size && sleep 2 && at_least_least_size; }

wineboot -i >/dev/null 2>&1
wine_idle
prefix_files >"$work/files-before"

echo "== install"
wine "$installer" /S || fail "the installer failed ($?)"
# Exactly the files packed into the installer, which CPack gathered here.
packed="$build/_CPack_Packages/win64/NSIS"
diff -r -x Uninstall.exe "$packed/${SORVANTO_WINDOWS_INSTALLER%.exe}" "$app_dir" >&2 ||
  fail "the installed files differ from the packed ones"
for file in "$app_dir/Uninstall.exe" "$menu_dir/Sorvanto.lnk" "$menu_dir/Uninstall.lnk"; do
  [ -f "$file" ] || fail "no ${file#"$drive"}"
done
entry=$(wine reg query "$arp_key" | tr -d '\r')
for value in "DisplayVersion.*$SORVANTO_VERSION" 'Publisher.*the Sorvanto authors' \
  'DisplayIcon.*\\Sorvanto\.exe$' 'EstimatedSize.*REG_DWORD *0x[1-9a-f]'; do
  grep -q "$value" <<<"$entry" || fail "no $value in the Add/Remove Programs entry: $entry"
done
license=$(sed -n 's/^ *!insertmacro MUI_PAGE_LICENSE "\(.*\)"/\1/p' "$packed/project.nsi")
cmp -s "$license" dist/copyright || fail "the licence page does not show dist/copyright"

echo "== run from the Start menu"
WINEDEBUG=+loaddll wine start 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Sorvanto\Sorvanto.lnk' \
  2>"$work/loaded.log"
within 60 shown Sorvanto || fail "the program shows no window"
window=$found
within 60 at_least_least_size || fail "the window is ${WIDTH}x$HEIGHT"
pid=$(xdotool getwindowpid "$window")
origin=("$X" "$Y")
# Exactly the DLLs installed beside the program, and nothing else of its folder.
loaded=$(grep -o 'Program Files\\\\Sorvanto\\\\[^"]*' "$work/loaded.log" |
  sed 's/^Program Files\\\\Sorvanto\\\\//; s/\\\\/\//g' | LC_ALL=C sort -u)
expected=$(cd "$app_dir" && find . -name '*.dll' -printf '%P\n' | LC_ALL=C sort)
[ "$loaded" = "$(printf 'Sorvanto.exe\n%s' "$expected" | LC_ALL=C sort)" ] ||
  fail "the program loaded: $loaded"

# Places in the windows, in pixels from their inner corners.
field=(374 174) about=(184 404) numbers=(180x40 12 140) sys_info=(325 216) ok=(325 186)
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
[ "$(numbers_colours)" = 1 ] || fail "the result box is not empty at the start"
click_at "${field[@]}"
within 60 moved_and_drawn || fail "no numbers drawn from the mouse's movements"
import -window root -crop "${SORVANTO_INNER_SIZE}+${origin[0]}+${origin[1]}" "$work/program.png"

echo "== least size"
xdotool windowsize "$window" 300 200
within 10 keeps_least_size || fault "made smaller, the window stays at ${WIDTH}x$HEIGHT"
xdotool windowsize "$window" "${SORVANTO_INNER_SIZE%x*}" "${SORVANTO_INNER_SIZE#*x}"
within 60 at_least_least_size || fail "the window is ${WIDTH}x$HEIGHT"
origin=("$X" "$Y")

echo "== About and System Info"
# The stand-in for the system information tool: the Windows layer's test program, which,
# started as a tool, leaves "<its path>.started" beside it.
mkdir -p "$drive/sorvanto-tools"
cp "$build/sys_info_wine_test.exe" "$drive/sorvanto-tools/tool.exe"
wine reg add 'HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO' /v PATH /t REG_SZ \
  /d 'C:\sorvanto-tools\tool.exe' /f >/dev/null
click_at "${about[@]}"
within 60 shown 'About Sorvanto' || fail "About does not open"
about_window=$found
# An owned dialog: transient for the main window, no taskbar entry, and no minimise or
# maximise asked for: its Motif functions hold neither, nor "all" (0x19). What openbox
# offers is not the program's: it lets no such hint take its minimise button away.
frame=$(xprop -id "$about_window" WM_TRANSIENT_FOR _NET_WM_STATE _MOTIF_WM_HINTS)
functions=$(sed -n 's/^_MOTIF_WM_HINTS.* = 0x[0-9a-f]*, \(0x[0-9a-f]*\),.*/\1/p' <<<"$frame")
if ! { grep -q 'WM_TRANSIENT_FOR(WINDOW): window id' <<<"$frame" && grep -q SKIP_TASKBAR <<<"$frame" &&
  [ -n "$functions" ] && [ $((functions & 0x19)) -eq 0 ]; }; then
  fault "About's frame: $frame"
fi
# Minimised while About shows (or not, within ten seconds), then brought back as a click
# on its taskbar entry does: About shows again where it was, active.
geometry "$about_window"
about_at="$X $Y"
about_back() {
  xwininfo -id "$about_window" | grep -q IsViewable && geometry "$about_window" &&
    [ "$X $Y" = "$about_at" ] &&
    xprop -root _NET_ACTIVE_WINDOW | grep -q "$(printf '0x%x$' "$about_window")"
}
timeout 10 xdotool windowminimize --sync "$window" || true
xdotool windowactivate "$window"
within 20 about_back || fail "About is lost after a minimise of the main window"
# Its buttons are pressed with the mouse, and OK only once the tool's console, come and
# gone, has given the focus back: a click meanwhile may go nowhere.
geometry "$about_window"
xdotool mousemove $((X + sys_info[0])) $((Y + sys_info[1])) click 1
within 60 tool_ran || fail "System Info did not start"
xdotool mousemove $((X + ok[0])) $((Y + ok[1])) click 1
within 60 gone 'About Sorvanto' || fail "OK left About open"
wine reg delete 'HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO' /f >/dev/null
rm -r "$drive/sorvanto-tools"

echo "== install and uninstall while the program runs"
installed_state >"$work/running-before"
status=0
wine "$installer" /S || status=$?
[ $status -ne 0 ] || fail "the installer overwrote the running program"
status=0
# _?= makes the uninstaller run in place and return its own exit code, instead of a copy
# of itself in the background; its folder goes without a space, which Wine would quote.
wine "$app_dir/Uninstall.exe" /S "_?=$(winepath -s 'C:\Program Files\Sorvanto')" || status=$?
[ $status -ne 0 ] || fail "the uninstaller removed the running program"
installed_state >"$work/running-after"
diff "$work/running-before" "$work/running-after" >&2 || fail "the running program's installation changed"

echo "== close and uninstall"
timeout 20 xdotool windowactivate --sync "$window" key alt+F4 || fail "the window cannot be activated"
within 60 ended "$pid" || fail "the program does not close"
wine "$app_dir/Uninstall.exe" /S
wine_idle
prefix_files >"$work/files-after"
diff "$work/files-before" "$work/files-after" >&2 || fail "the uninstall left files behind"
! grep -i sorvanto "$WINEPREFIX/system.reg" >&2 || fail "the uninstall left registry entries behind"
[ ${#faults[@]} -eq 0 ] || fail "${#faults[@]} fault(s), listed above"
echo "Windows installer check: passed"
