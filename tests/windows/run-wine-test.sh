#!/usr/bin/env bash
# Cross-compiles the Windows system information layer (ui/sys_info.cpp and
# ui/sys_info_windows.cpp, both free of Qt) into a test program with mingw-w64 and runs
# it under Wine, against registry values and files that this script prepares in a
# scratch Wine prefix inside BUILD_DIR. Skips, and says so, when Wine or mingw-w64 is
# not installed.
#   tests/windows/run-wine-test.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/../.."
[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }

if ! command -v wine >/dev/null; then
  echo "Windows system information test skipped: wine64 not installed"
  exit 0
fi
if ! command -v x86_64-w64-mingw32-g++ >/dev/null; then
  echo "Windows system information test skipped: g++-mingw-w64-x86-64 not installed"
  exit 0
fi

build=$(mkdir -p "$1" && cd "$1" && pwd)
# Statically linked, so that Wine needs no DLLs of the compiler's.
flags=(-std=c++20 -O1 -Wall -Wextra -Wpedantic -Werror -static -static-libgcc -static-libstdc++)
x86_64-w64-mingw32-g++ "${flags[@]}" -Iui -Iengine -Idigest -o "$build/sys_info_wine_test.exe" \
  tests/windows/sys_info_wine_test.cpp ui/sys_info.cpp ui/sys_info_windows.cpp -ladvapi32

export WINEPREFIX="$build/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
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
mkdir -p "$drive/with space"
# Copies of the test program stand in for the tools; with.exe is planted where an
# unquoted "C:\sorvanto\with space\..." would find it.
for tool in tool.exe "with space/MSINFO32.EXE" with.exe; do
  cp "$build/sys_info_wine_test.exe" "$drive/$tool"
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

output=$(wine "$build/sys_info_wine_test.exe" check | tr -d '\r') || status=$?
echo "$output"
passed=$(grep -c '^ok' <<<"$output" || true)
failed=$(grep -c '^not ok' <<<"$output" || true)
# A run that ends before it checks anything counts as a failure of its own.
[ "${status:-0}" -eq 0 ] || grep -q '^not ok' <<<"$output" || failed=$((failed + 1))
echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
