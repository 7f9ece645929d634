#!/usr/bin/env bash
# Checks the icon a Windows program file carries, the first in the file, which Explorer,
# the taskbar, the installer's and uninstaller's windows and Add/Remove Programs show: it
# must hold an image for each size they ask for, 16, 24, 32, 48 and 256 pixels, so that
# none is scaled from another, and every image at 24-bit colour or more and fully opaque,
# as drawn.
#   tests/windows/check-exe-icons.sh FILE.exe...
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: $0 FILE.exe..." >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for exe in "$@"; do
  fault() { echo "$exe: $*" >&2; status=1; }
  rm -rf "${work:?}"/*
  group=$(wrestool --list --type=14 "$exe" | sed -n '1s/.*--name=\([^ ]*\) .*/\1/p')
  [ -n "$group" ] || { fault "carries no icon"; continue; }
  wrestool --extract --type=14 --name="$group" "$exe" >"$work/icon.ico"
  # Each image lands in icon_INDEX_WIDTHxHEIGHTxBITS.png.
  icotool --extract --output="$work" "$work/icon.ico"
  found=()
  for image in "$work"/icon_*.png; do
    read -r width height bits <<<"$(basename "$image" .png | sed 's/.*_//; s/x/ /g')"
    found+=("${width}x$height/$bits")
    [ "$bits" -ge 24 ] || fault "the $width x $height image has $bits bits per pixel"
    [ "$(identify -format '%[opaque]' "$image")" = true ] ||
      fault "the $width x $height image is not fully opaque"
  done
  for size in 16 24 32 48 256; do
    [[ " ${found[*]} " == *" ${size}x$size/"* ]] || fault "no $size x $size image"
  done
  echo "$exe: icon ${found[*]}"
done
exit $status
