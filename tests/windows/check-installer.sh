#!/usr/bin/env bash
# Installs Sorvanto for Windows from its installer into a fresh Wine prefix, on a virtual
# X screen with a window manager, uses it as a person would, and uninstalls it. It checks
# the installer's script (its pages, licence text and Run Sorvanto); the installed files,
# shortcuts, Add/Remove Programs entry and version information; the DLLs the program
# loads; a window that draws numbers from real mouse movements, keeps its least size and
# opens About as an owned dialog; the system information tool started from About; an
# installer and uninstaller that leave a running Sorvanto alone; one copy, however often
# and wherever it is installed; pages in English alone, on a German system too; and the
# README's silent uninstall, which leaves nothing behind.
#   tests/windows/check-installer.sh BUILD_DIR    (after scripts/build-windows.sh BUILD_DIR)
set -euo pipefail
cd "$(dirname "$0")/../.."
[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
# shellcheck source=tests/windows/wine-check.sh
. tests/windows/wine-check.sh "$1" installer-check "Windows installer check"
installer="$build/$SORVANTO_WINDOWS_INSTALLER"
[ -f "$installer" ] || fail "no installer at $installer"
# What CPack packed into the installer, and the installer's script.
packed="$build/_CPack_Packages/win64/NSIS"
script="$packed/project.nsi"
default_dir='C:\Program Files\Sorvanto' other_dir='C:\Sorvanto elsewhere'
app_dir="$drive/Program Files/Sorvanto"
menu_dir="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Sorvanto"
menu_link='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Sorvanto\Sorvanto.lnk'
arp_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Sorvanto'
readme_uninstall=$(grep -m 1 -F 'Uninstall.exe" /S _?=' README.md)

# The stand-in tool left its mark, its process and the console Wine gave it have ended,
# and About is the active window again.
tool_ran() {
  [ -f "$drive/sorvanto-tools/tool.exe.started" ] &&
    ! pgrep -f -i 'sorvanto-tools.tool\.exe|conhost\.exe' >/dev/null &&
    xprop -root _NET_ACTIVE_WINDOW | grep -q "$(printf '0x%x$' "$about_window")"
}
# What is installed, to the byte and the time each file was written.
installed_state() {
  find "$app_dir" "$menu_dir" -type f -printf '%P %s %T@\n' | LC_ALL=C sort
  wine reg query "$arp_key"
}
# The same for two seconds in a row: the resize rule has had its run, which it gets in the
# same turn of the program's event loop as the resize.
keeps_least_size() { at_least_least_size && sleep 2 && at_least_least_size; }
# Runs a command line as cmd.exe has it from a person, unquoted by Wine: from a batch file;
# with it, a silent install into the folder $1, with a blank in its name.
run_cmd() { printf '@%s\r\n' "$1" >"$work/command.bat" && wine cmd /c "$(winepath -w "$work/command.bat")"; }
install_into() { run_cmd "\"$(winepath -w "$installer")\" /S /D=$1"; }
# The command "$2"... ends with the exit status $1.
ends_with() {
  local status=0
  "${@:2}" || status=$?
  [ "$status" -eq "$1" ]
}
# Exactly one installed copy, in the folder $1 (as Windows names it): the packed files and
# the uninstaller, no others of theirs in the prefix, one set of shortcuts and the
# Add/Remove Programs entry, all leading there.
one_copy_in() {
  local dir=${1#C:\\} found links
  dir=${dir//\\//}
  diff -r -x Uninstall.exe "$packed/${SORVANTO_WINDOWS_INSTALLER%.exe}" "$drive/$dir" >&2 ||
    fail "not the packed files in $1"
  found=$(cd "$drive" && find . -iname Sorvanto.exe -o -iname Uninstall.exe | LC_ALL=C sort | xargs -d '\n')
  [ "$found" = "./$dir/Sorvanto.exe ./$dir/Uninstall.exe" ] || fail "not one copy, in $1: $found"
  links=$(find "$menu_dir" -mindepth 1 -printf '%P\n' | LC_ALL=C sort | xargs -d '\n')
  { [ "$links" = 'Sorvanto.lnk Uninstall Sorvanto.lnk' ] &&
    grep -a -q -F "$1\\Sorvanto.exe" "$menu_dir/Sorvanto.lnk" &&
    grep -a -q -F "$1\\Uninstall.exe" "$menu_dir/Uninstall Sorvanto.lnk"; } || fail "the shortcuts: $links"
  wine reg query "$arp_key" /v InstallLocation | grep -q -F "REG_SZ    $1"$'\r' || fail "the entry is another's"
}
# The version information of the Windows program $1 names the product, its version and
# its publisher.
has_version_info() {
  local info
  info="|$(wrestool -x --raw -t 16 "$1" | strings -el | tr '\n' '|')"
  [[ $info == *"|ProductName|Sorvanto|"* && $info == *"|ProductVersion|$SORVANTO_VERSION|"* &&
    $info == *"|CompanyName|the Sorvanto authors|"* ]]
}
# Every text that the windows of the Wine programs traced in $1... were given, without
# numbers (sizes, progress), which vary from run to run.
texts() {
  grep -a -h -o 'set_window_text L".*"$' "$@" | sed 's/[0-9]//g; s/\.\.\. %"$/"/' | LC_ALL=C sort -u
}
# The Wine trace $1, once there, shows that a window was given the text $2.
said() { grep -a -q -F "set_window_text L\"$2\"" "$1" 2>/dev/null; }
# Goes through the pages of the window named $1 with Return, its default button, each once
# the Wine trace $2 shows the page's text, $3 and on; a page that says Sorvanto is running
# once it is closed.
through_pages() {
  local title=$1 log=$2 text
  shift 2
  for text; do
    within 60 said "$log" "$text" || fail "$title does not show \"$text\""
    [ "$text" != 'Sorvanto is running' ] || close_program
    within 20 shown "$title" || fail "no window $title"
    timeout 20 xdotool windowactivate --sync "$found" key Return || fail "$title cannot be activated"
  done
}
# A person installs and uninstalls Sorvanto, which runs, through the pages on a system in
# the language $1, Wine tracing what they show. Each stays on its last page before it
# touches a file until Sorvanto is closed. The installer proposes the installed copy's
# folder, $2, and its last page starts the program.
walk() {
  local log=$work/walk-$1
  main_window
  LANG=$1 LC_ALL=$1 WINEDEBUG=+win wine "$installer" 2>"$log-setup.log" &
  through_pages 'Sorvanto Setup ?' "$log-setup.log" 'Welcome to Sorvanto Setup' 'License Agreement' \
    'Choose Install Location' 'Sorvanto is running' 'Completing Sorvanto Setup'
  main_window
  one_copy_in "$2"
  LANG=$1 LC_ALL=$1 WINEDEBUG=+win wine "$2\\Uninstall.exe" 2>"$log-uninstall.log" &
  through_pages 'Sorvanto Uninstall ?' "$log-uninstall.log" 'Uninstall Sorvanto' 'Sorvanto is running' \
    'Uninstallation Complete'
  within 60 gone 'Sorvanto Uninstall ?' || fail "the uninstaller does not close"
}

prefix_files >"$work/files-before"

echo "== the installer's script"
# Its pages, in this order: none that adds anything to PATH, nor any other.
pages=$(sed -n 's/^ *!insertmacro MUI_\(UN\)\?PAGE_\([A-Z]*\).*/\1\2/p; s/^ *\(Page\(Ex\)\? .*\)/\1/p' \
  "$script" | xargs)
[ "$pages" = "WELCOME LICENSE DIRECTORY INSTFILES FINISH UNCONFIRM UNINSTFILES" ] || fail "the pages: $pages"
! grep -E 'AddToPath|Environment|EnVar' "$script" >&2 || fail "the installer's script changes PATH"
# "Run Sorvanto" asks the desktop shell to open the Start-menu shortcut, which starts the
# program with the person's rights in its folder; it starts nothing itself.
run=$(sed -n '/^Function RunSorvanto$/,/^FunctionEnd$/{/Function/d;p}' "$script")
[ "$run" = "  Exec '\"\$WINDIR\\explorer.exe\" \"\$SMPROGRAMS\\Sorvanto\\Sorvanto.lnk\"'" ] ||
  fail "Run Sorvanto does: $run"
[ "$(grep -o 'MUI_LANGUAGE .*' "$script")" = 'MUI_LANGUAGE "English"' ] || fail "not English alone"
# The licence as a person reads it: the name, the copyright and the licence's words, and
# none of dist/copyright's fields.
licence=$(sed -n 's/^ *!insertmacro MUI_PAGE_LICENSE "\(.*\)"/\1/p' "$script")
words=$(sed -n '/^License:/,/^[^ ]/s/^ \([^.].*\)/\1/p' dist/copyright | tr -s '\n ' '  ')
{ [ "$(head -n 1 "$licence")" = $'Sorvanto\r' ] && grep -q '^Copyright [0-9]' "$licence" &&
  [[ "$(tr -s '\r\n ' '   ' <"$licence")" == *"${words% }"* ]]; } || fail "the licence page: $(<"$licence")"
! grep -E '^[A-Za-z-]+:' "$licence" >&2 || fail "packaging fields on the licence page"
has_version_info "$installer" || fail "the installer's version information"

echo "== install"
wine "$installer" /S || fail "the installer failed ($?)"
one_copy_in "$default_dir"
has_version_info "$app_dir/Uninstall.exe" || fail "the uninstaller's version information"
tests/windows/check-exe-icons.sh "$installer" "$app_dir/Sorvanto.exe" "$app_dir/Uninstall.exe" ||
  fail "the icons of the installer, the program or the uninstaller"
entry=$(wine reg query "$arp_key" | tr -d '\r')
for value in "DisplayVersion.*$SORVANTO_VERSION" 'Publisher.*the Sorvanto authors' \
  'DisplayIcon.*\\Sorvanto\.exe$' 'EstimatedSize.*REG_DWORD *0x[1-9a-f]' \
  'NoModify *REG_DWORD *0x1$' 'NoRepair *REG_DWORD *0x1$'; do
  grep -q "$value" <<<"$entry" || fail "no $value in the Add/Remove Programs entry: $entry"
done

echo "== run from the Start menu"
WINEDEBUG=+loaddll wine start "$menu_link" 2>"$work/loaded.log"
main_window
# Exactly the DLLs installed beside the program, and nothing else of its folder.
loaded=$(grep -o 'Program Files\\\\Sorvanto\\\\[^"]*' "$work/loaded.log" |
  sed 's/^Program Files\\\\Sorvanto\\\\//; s/\\\\/\//g' | LC_ALL=C sort -u)
expected=$(cd "$app_dir" && find . -name '*.dll' -printf '%P\n' | LC_ALL=C sort)
[ "$loaded" = "$(printf 'Sorvanto.exe\n%s' "$expected" | LC_ALL=C sort)" ] ||
  fail "the program loaded: $loaded"
# Places in About, in pixels from its inner corner, and its button in the main window.
about=(184 404) sys_info=(325 216) ok=(325 186)
draw_numbers
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
# on its taskbar entry does: About shows again where it was, and stays active for a
# second, so that the window manager is done with it before its buttons are clicked.
geometry "$about_window"
about_at="$X $Y"
about_back() {
  xwininfo -id "$about_window" | grep -q IsViewable && geometry "$about_window" &&
    [ "$X $Y" = "$about_at" ] &&
    xprop -root _NET_ACTIVE_WINDOW | grep -q "$(printf '0x%x$' "$about_window")"
}
timeout 10 xdotool windowminimize --sync "$window" || true
xdotool windowactivate "$window"
within 20 eval 'about_back && sleep 1 && about_back' || fail "About is lost after a minimise of the main window"
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
ends_with 2 wine "$installer" /S || fail "the silent installer did not stop with 2 over the running program"
ends_with 2 run_cmd "$readme_uninstall" || fail "the README's uninstall did not stop with 2 over the program"
installed_state >"$work/running-after"
diff "$work/running-before" "$work/running-after" >&2 || fail "the running program's installation changed"

echo "== one copy, wherever it is installed"
close_program
install_into "$other_dir" || fail "the installer failed into $other_dir"
one_copy_in "$other_dir"
wine "$installer" /S || fail "the installer failed again"
one_copy_in "$other_dir"

echo "== the pages and messages on an English and on a German system"
wine start "$menu_link"
walk C.UTF-8 "$other_dir"
install_into "$other_dir" || fail "the installer failed into $other_dir"
wine start "$menu_link"
# Wine speaks German there: its command prompt does.
[[ $(LC_ALL=de_DE.UTF-8 wine cmd /c 'dir C:\none' 2>&1) == *'nicht gefunden'* ]] || fail "Wine is not German"
walk de_DE.UTF-8 "$other_dir"
german=$(LC_ALL=C comm -13 <(texts "$work"/walk-C.UTF-8-*.log) <(texts "$work"/walk-de_DE.UTF-8-*.log))
[ -z "$german" ] || fail "on a German system, texts that English has not: $german"

echo "== uninstall as the README has it"
wine "$installer" /S || fail "the installer failed"
run_cmd "$readme_uninstall" || fail "the README's uninstall failed ($?)"
wine_idle
prefix_files >"$work/files-after"
diff "$work/files-before" "$work/files-after" >&2 || fail "the uninstall left files behind"
! grep -i sorvanto "$WINEPREFIX/system.reg" >&2 || fail "the uninstall left registry entries behind"
[ ${#faults[@]} -eq 0 ] || fail "${#faults[@]} fault(s), listed above"
echo "$check: passed"
