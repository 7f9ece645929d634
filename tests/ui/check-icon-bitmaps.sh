#!/usr/bin/env bash
# Checks the icon's bitmaps as the build rendered them: each as large as its name says,
# fully opaque, and drawn on whole pixels in white and the frame colour alone. A drawing
# that strays off its pixel grid, or a size rendered from a drawing made for another,
# blends the two into shades between them, which show as a blur.
#   tests/ui/check-icon-bitmaps.sh DIR    (the build's ui/ folder, with its icon-SIZE.png)
set -euo pipefail
shopt -s nullglob
bitmaps=("$1"/icon-*.png)
[ ${#bitmaps[@]} -gt 0 ] || { echo "no icon bitmaps in $1"; exit 1; }
status=0
for bitmap in "${bitmaps[@]}"; do
  size=${bitmap##*/icon-}
  size=${size%.png}
  seen="$(identify -format '%wx%h opaque:%[opaque]' "$bitmap")$(convert "$bitmap" \
    -alpha off -unique-colors -depth 8 txt:- | grep -o ' #[0-9A-F]\{6\}' | sort | tr -d '\n')"
  expected="${size}x$size opaque:true #F47179 #FFFFFF"
  [ "$seen" = "$expected" ] || { echo "$bitmap: $seen, not $expected"; status=1; }
done
exit $status
