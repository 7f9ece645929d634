#!/usr/bin/env bash
# Installs Sorvanto for Windows from its installer into a fresh Wine prefix, uses it as a
# person would, through the mouse and keyboard on an X display of its own, and
# uninstalls it:
#   - the installer runs silently and puts the program, its DLLs and table.txt in one
#     folder, with a Start-menu shortcut;
#   - the program, started from that shortcut, finds its table, loads exactly the DLLs
#     installed beside it, draws numbers from mouse movements, resets, opens About, and
#     starts the system information tool found under either registry value;
#   - the uninstaller leaves no file, shortcut or registry key behind.
#   tests/windows/check-installer.sh BUILD_DIR    (after scripts/build-windows.sh BUILD_DIR)
set -euo pipefail
cd "$(dirname "$0")/../.."
[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }

# The whole check runs on an X display of its own.
if [ -z "${SORVANTO_CHECK_DISPLAY:-}" ]; then
  exec env SORVANTO_CHECK_DISPLAY=1 xvfb-run -a -s '-screen 0 1280x1024x24' "$0" "$@"
fi

build=$(cd "$1" && pwd)
installer="$build/Sorvanto-1.0.0-win64.exe"
[ -f "$installer" ] || { echo "no installer at $installer" >&2; exit 2; }
work="$build/installer-check"
rm -rf "$work"
mkdir -p "$work"

export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'echo "Windows installer check: failed at line $LINENO"' ERR
mkdir -p "$WINEPREFIX"
wineserver -p
trap 'wineserver -k || true' EXIT
wineboot -i >/dev/null 2>&1
drive="$WINEPREFIX/drive_c"
app_dir="$drive/Program Files/Sorvanto"
menu_dir="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Sorvanto"
shortcut='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Sorvanto\Sorvanto.lnk'

# What the prefix holds before: after the uninstall, every file but Wine's own and the
# temporary ones must be as it was.
snapshot() {
  (cd "$drive" && find . -path ./windows -prune -o -path '*/Temp' -prune -o -print | sort)
}
snapshot >"$work/files-before"

fail() {
  echo "Windows installer check: $*" >&2
  import -window root "$work/failure.png" 2>/dev/null || true
  exit 1
}

# The stand-in for the system information tool, in a folder of its own: the Windows
# layer's test program of the same build, which, started as a tool, leaves
# "<its path>.started" beside it.
stand_in="$build/sys_info_wine_test.exe"
tools="$drive/sorvanto-tools"

echo "== install"
wine "$installer" /S
expected_files=(Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Sorvanto.exe Uninstall.exe
  libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll platforms/qwindows.dll
  styles/qwindowsvistastyle.dll table.txt)
installed=$(cd "$app_dir" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ')
[ "$installed" = "$(printf '%s\n' "${expected_files[@]}" | LC_ALL=C sort | tr '\n' ' ')" ] ||
  fail "installed files: $installed"
cmp -s "$app_dir/table.txt" examples/table.txt || fail "table.txt differs from examples/table.txt"
[ -f "$menu_dir/Sorvanto.lnk" ] || fail "no Start-menu shortcut"
[ -f "$menu_dir/Uninstall.lnk" ] || fail "no Start-menu shortcut to the uninstaller"

# The visible window named $1, still there a second after it is found: a window that Wine
# drops as soon as it shows, or the last run's on its way out, is not the one. A search
# fails outright when a window it lists vanishes before it is asked about, so it is tried
# again, for up to 30 s.
find_window() {
  local id=''
  for _ in $(seq 1 60); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) || true
    if [ -n "$id" ] && sleep 1 && xdotool getwindowname "$id" >/dev/null 2>&1; then
      echo "$id"
      return 0
    fi
    sleep 0.5
  done
  return 1
}

# The program's window: its client area's top-left corner on the screen, and a pixel.
window=''
origin_x=0
origin_y=0
start_program() {
  WINEDEBUG=+loaddll wine start "$shortcut" 2>"$work/loaded-$1.log"
  window=$(find_window Sorvanto) || fail "the program shows no window"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  origin_x=$X
  origin_y=$Y
}
move_to() {
  xdotool mousemove "$((origin_x + $1))" "$((origin_y + $2))" sleep "${3:-0.1}"
}
click() {
  move_to "$1" "$2"
  xdotool click 1 sleep 0.3
}
pixel() {
  import -window root -crop "1x1+$((origin_x + $1))+$((origin_y + $2))" -depth 8 txt:- |
    grep -o '#[0-9A-F]\{6\}' | head -1
}
# The places of the controls in the window, in pixels from its client area's corner.
field=(374 174) reset=(76 404) about=(184 404) results=(112 260) bar_end=(205 120)

echo "== run 1: draw, reset, About, the tool under the first registry value"
start_program 1
# Exactly the DLLs the installer put beside the program, and nothing else of its folder.
loaded=$(grep -o 'Program Files\\\\Sorvanto\\\\[^"]*' "$work/loaded-1.log" |
  sed 's/^Program Files\\\\Sorvanto\\\\//; s/\\\\/\//g' | LC_ALL=C sort -u | tr '\n' ' ')
expected_loaded=$(printf '%s\n' "${expected_files[@]}" | grep -v -e '^table.txt$' -e '^Uninstall.exe$' |
  LC_ALL=C sort | tr '\n' ' ')
[ "$loaded" = "$expected_loaded" ] || fail "the program loaded: $loaded"

bar_before=$(pixel "${bar_end[@]}")
click "${field[@]}"
combination=''
for round in 1 2 3 4; do
  # A person moving the mouse over the field: a few seconds of small steps.
  moves=()
  for step in $(seq 1 150); do
    moves+=(mousemove "$((origin_x + field[0] + (step * 37 + round * 11) % 240 - 120))"
      "$((origin_y + field[1] + (step * 53 + round * 7) % 200 - 100))" sleep 0.03)
  done
  xdotool "${moves[@]}"
  # The result box's text, selected and copied as a person would.
  click "${results[@]}"
  xdotool key ctrl+a ctrl+c
  sleep 0.5
  text=$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; echo .)
  text=${text%.}
  # A whole combination: six numbers, and the line break that ends it.
  combination=''
  if [[ $text == *$'\n'* ]]; then
    combination=$(grep -E '^ *[0-9]+(, *[0-9]+){5}$' <<<"${text%$'\n'*}" | head -1 || true)
  fi
  [ -n "$combination" ] && break
  click "${field[@]}"
  click "${field[@]}"
done
[ -n "$combination" ] || fail "no whole combination in the result box: '$text'"
echo "drawn: $combination"
# How the program looks under Wine, for a person to look at.
import -window root -crop "632x423+$origin_x+$origin_y" "$work/program.png"
bar_full=$(pixel "${bar_end[@]}")
[ "$bar_full" != "$bar_before" ] || fail "the warm-up bar is not filled ($bar_full)"

click "${reset[@]}"
move_to "${field[@]}" 0.3
move_to $((field[0] + 40)) $((field[1] + 30)) 0.5
[ "$(pixel "${bar_end[@]}")" = "$bar_before" ] || fail "Reset left the bar filled"
# An empty result box is one colour where the numbers were.
[ "$(import -window root -crop "180x40+$((origin_x + 12))+$((origin_y + 140))" -format %k info:)" = 1 ] ||
  fail "Reset left numbers behind"

# Whether the check "$@" holds within five seconds.
within_5s() {
  for _ in $(seq 1 20); do
    "$@" && return 0
    sleep 0.25
  done
  return 1
}
closed() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null; }
# A key pressed in About as a person would press it: About's icon clicked first, so that
# the key reaches About even while another window holds the focus, as a tool that has just
# started may for a while on a busy machine.
about_window=''
key_in_about() {
  eval "$(xdotool getwindowgeometry --shell "$about_window")"
  xdotool mousemove "$((X + 30))" "$((Y + 30))" click 1 sleep 0.3 key "$1"
}
press_system_info() {
  click "${about[@]}"
  about_window=$(find_window 'About Sorvanto') || fail "About does not open"
  # Alt+S presses System Info, whose S is underlined; and again if nothing started.
  for _ in 1 2 3; do
    key_in_about alt+s
    within_5s test -f "$1.started" && break
  done
  [ -f "$1.started" ] || fail "System Info did not start ${1#"$drive"}"
  # Esc closes About, which may take a few seconds under Wine; and again if it is still open.
  for _ in 1 2 3; do
    key_in_about Escape
    within_5s closed 'About Sorvanto' && return 0
  done
  fail "Esc left About open"
}
close_program() {
  xdotool key alt+F4
  within_5s closed Sorvanto && return 0
  # The key went to a window that still held the focus: click the result box first.
  click "${results[@]}"
  xdotool key alt+F4
  within_5s closed Sorvanto || fail "the program does not close"
}

mkdir -p "$tools/location"
cp "$stand_in" "$tools/tool.exe"
cp "$stand_in" "$tools/location/MSINFO32.EXE"
tool_key='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
location_key='HKLM\SOFTWARE\Microsoft\Shared Tools Location'
wine reg add "$tool_key" /v PATH /t REG_SZ /d 'C:\sorvanto-tools\tool.exe' /f >/dev/null
press_system_info "$tools/tool.exe"
# The About window gave the main window back.
click "${field[@]}"
close_program

echo "== run 2: the tool under the second registry value only"
wine reg delete "$tool_key" /v PATH /f >/dev/null
wine reg add "$location_key" /v MSINFO /t REG_SZ /d 'C:\sorvanto-tools\location' /f >/dev/null
start_program 2
press_system_info "$tools/location/MSINFO32.EXE"
close_program
import -window root "$work/last.png"
wine reg delete "$location_key" /f >/dev/null
rm -rf "$tools"

echo "== uninstall"
wine "$drive/Program Files/Sorvanto/Uninstall.exe" /S
# The uninstaller runs a copy of itself from the temporary folder and returns at once.
for _ in $(seq 1 120); do
  [ -e "$app_dir" ] || break
  sleep 0.5
done
sleep 2
snapshot >"$work/files-after"
diff "$work/files-before" "$work/files-after" >&2 || fail "the uninstall left files behind"
# Wine adds keys of its own as it runs; none may name Sorvanto.
wine reg export 'HKLM\Software' "$work/registry-after.reg" /y >/dev/null
! iconv -f UTF-16 -t UTF-8 "$work/registry-after.reg" | grep -i sorvanto >&2 ||
  fail "the uninstall left registry entries behind"
echo "Windows installer check: passed"
