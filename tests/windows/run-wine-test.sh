#!/usr/bin/env bash
# Runs the test program of the Windows system information layer (sys_info_wine_test.exe,
# a target of the Windows build) under Wine, against registry values and files that
# this script prepares in a scratch Wine prefix beside the program; ctest runs it.
#   tests/windows/run-wine-test.sh PATH/sys_info_wine_test.exe
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 PATH/sys_info_wine_test.exe" >&2; exit 2; }
program=$(realpath "$1")

prefix="$(dirname "$program")/sys-info-wine-prefix"
export WINEPREFIX="$prefix"
# shellcheck source=cmake/wine-env.sh
. "$(dirname "$0")/../../cmake/wine-env.sh"
# Every step that fails says so: a command here by its line, and one run through step()
# with its own words and the output it would otherwise keep back. The output goes to a
# file, not a pipe: Wine's services, started by the first call, inherit it and outlive it.
trap 'echo "Windows system information test: failed at line $LINENO" >&2' ERR
log="$prefix.log"
step() {
  local status=0
  "$@" >"$log" 2>&1 || status=$?
  [ "$status" -ne 0 ] || return 0
  printf 'Windows system information test: "%.100s" failed with status %s\n' "$*" "$status" >&2
  cat "$log" >&2
  exit 1
}

# One server for the whole run spares every wine call its own server start. A server
# left behind by an earlier run of this prefix is ended first, and waited for: a program
# started while it shuts down can end without a word.
wineserver -k 2>/dev/null || true
wineserver -w
# The prefix is made on the first run. One that a run ended halfway left unfinished,
# without the mark of a finished one, is made afresh.
made="$WINEPREFIX/made-by-run-wine-test"
[ -f "$made" ] || rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineserver -p
trap 'wineserver -k || true' EXIT
if [ ! -f "$made" ]; then
  step wineboot -i
  touch "$made"
fi

drive="$WINEPREFIX/drive_c/sorvanto"
rm -rf "$drive"
mkdir -p "$drive/with space" "$drive/start"
# Copies of the test program stand in for the tools; with.exe is planted where an
# unquoted "C:\sorvanto\with space\..." would find it, and the others in the start
# folder, the folder of table.txt, where a relative path would find them.
for tool in tool.exe "with space/MSINFO32.EXE" with.exe start/evil.exe start/\&h000001 \
  start/MSINFO32.EXE; do
  cp "$program" "$drive/$tool"
done

reg() { step wine reg "$@" /f; }
test_key='HKLM\SOFTWARE\Sorvanto Test'
wine reg delete "$test_key" /f >/dev/null 2>&1 || true
reg add "$test_key" /v Text /t REG_SZ /d 'C:\Program Files\Tool'
reg add "$test_key" /v Number /t REG_DWORD /d 66051
reg add "$test_key" /v High /t REG_DWORD /d 0x12345678
reg add "$test_key" /v Full /t REG_SZ /d "$(printf 'x%.0s' {1..1023})"
reg add "$test_key" /v Long /t REG_SZ /d "$(printf 'x%.0s' {1..1024})"
reg add "$test_key" /v Empty /t REG_SZ /d ''
reg add "$test_key" /v Binary /t REG_BINARY /d 0102
reg add "$test_key" /v Expand /t REG_EXPAND_SZ /d 'C:\sorvanto\tool.exe'

status=0
wine "$program" check >"$log" 2>&1 || status=$?
output=$(tr -d '\r' <"$log")
echo "$output"
passed=$(grep -c '^ok' <<<"$output" || true)
failed=$(grep -c '^not ok' <<<"$output" || true)
# A run that ends before it checks anything, or says nothing, counts as a failure of
# its own.
if [ "$passed" -eq 0 ] || { [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; }; then
  echo "The test program ended with status $status after $passed checks passed."
  failed=$((failed + 1))
fi
echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
