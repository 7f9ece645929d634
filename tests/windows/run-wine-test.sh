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
trap 'echo "Windows system information test: failed at line $LINENO"' ERR
# One server for the whole run spares every wine call its own server start; a server
# left behind by an earlier run of this prefix is ended first.
mkdir -p "$WINEPREFIX"
wineserver -k 2>/dev/null || true
wineserver -p
trap 'wineserver -k || true' EXIT
# The prefix is created on the first run only.
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1

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

reg() { wine reg "$@" /f >/dev/null; }
test_key='HKLM\SOFTWARE\Sorvanto Test'
reg delete "$test_key" 2>/dev/null || true
reg add "$test_key" /v Text /t REG_SZ /d 'C:\Program Files\Tool'
reg add "$test_key" /v Number /t REG_DWORD /d 66051
reg add "$test_key" /v High /t REG_DWORD /d 0x12345678
reg add "$test_key" /v Full /t REG_SZ /d "$(printf 'x%.0s' {1..1023})"
reg add "$test_key" /v Long /t REG_SZ /d "$(printf 'x%.0s' {1..1024})"
reg add "$test_key" /v Empty /t REG_SZ /d ''
reg add "$test_key" /v Binary /t REG_BINARY /d 0102
reg add "$test_key" /v Expand /t REG_EXPAND_SZ /d 'C:\sorvanto\tool.exe'

output=$(wine "$program" check | tr -d '\r') || status=$?
echo "$output"
passed=$(grep -c '^ok' <<<"$output" || true)
failed=$(grep -c '^not ok' <<<"$output" || true)
# A run that ends before it checks anything counts as a failure of its own.
[ "${status:-0}" -eq 0 ] || grep -q '^not ok' <<<"$output" || failed=$((failed + 1))
echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
