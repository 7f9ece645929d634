#!/usr/bin/env bash
# Unpacks the portable zip of Sorvanto for Windows into a folder with blanks in its path,
# in a fresh Wine prefix on a virtual X screen with a window manager, and uses it as a
# person would without installing anything: starts Sorvanto.exe in its folder, on the
# table.txt beside it, and draws numbers with the mouse. The zip must hold the installer's
# files in one folder.
#   tests/windows/check-portable.sh BUILD_DIR    (after scripts/build-windows.sh BUILD_DIR)
set -euo pipefail
cd "$(dirname "$0")/../.."
[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
# shellcheck source=tests/windows/wine-check.sh
. tests/windows/wine-check.sh "$1" portable-check "Windows portable check"
zip="$build/$SORVANTO_WINDOWS_ZIP"
[ -f "$zip" ] || fail "no zip at $zip"

echo "== unpack"
downloads="$drive/users/Public/My Downloads"
mkdir -p "$downloads"
unzip -q "$zip" -d "$downloads"
[ "$(ls "$downloads")" = "${SORVANTO_WINDOWS_ZIP%.zip}" ] || fail "not one folder in the zip: $(ls "$downloads")"
folder="$downloads/${SORVANTO_WINDOWS_ZIP%.zip}"
diff -r "$build/_CPack_Packages/win64/NSIS/${SORVANTO_WINDOWS_INSTALLER%.exe}" "$folder" >&2 ||
  fail "the zip holds other files than the installer"

echo "== run in its folder"
# As a double-click in Explorer starts it: in its own folder, where its table.txt lies.
(cd "$folder" && exec wine Sorvanto.exe) &
main_window
draw_numbers
close_program
echo "$check: passed"
