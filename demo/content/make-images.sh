#!/bin/sh
# make-images.sh CONVERT EXIFTOOL OUT: draws the photographs of the program's own demonstrations into OUT with
# ImageMagick's convert (CONVERT), and stores in each, as a camera does, a preview of at most 160 x 160 in its
# EXIF block (EXIFTOOL), which the demonstrations window shows without decoding the whole photograph. Nothing is downloaded: every picture is built from rectangles, a flat
# façade seen at an angle, and for the lens demonstration the bowing of a wide-angle lens.
#
# - Facade.jpg (640 x 480): a façade shot from the street, its sides leaning inwards. Its corners (image
#   pixels) are top left (196, 52), top right (444, 52), bottom right (560, 430), bottom left (80, 430).
# - LensFacade.jpg (640 x 480): the same kind of façade, wider, its corners at (150, 40), (490, 40), (610, 440)
#   and (30, 440), with on top the barrel distortion that the lens correction's manual value 80 takes away: that
#   correction samples the photograph at c + (p - c) * (1 - 0.08 * (|p - c|^2 / 320^2 - 1)) for the point p
#   (c the centre), and the Barrel coefficients below are the inverse of that radial scale, fitted as a cubic
#   in the radius over half the height (ImageMagick's unit) to within a pixel over the façade.
# - Sideways.jpg (480 x 640): a garden house shot with the camera turned a quarter clockwise, too dark, a
#   black strip of the lens cap along its right edge.
set -eu
convert=$1
exiftool=$2
out=$3
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# facade WIDTH HEIGHT COLUMNS ROWS FILE: a flat façade, plaster with rows of framed windows and a door.
facade() {
  w=$1 h=$2 cols=$3 rows=$4
  draw=""
  cw=$((w / cols)) rh=$(((h - 40) / rows))
  r=0
  while [ $r -lt "$rows" ]; do
    c=0
    while [ $c -lt "$cols" ]; do
      x=$((c * cw + cw / 4)) y=$((r * rh + rh / 5))
      draw="$draw rectangle $x,$y $((x + cw / 2)),$((y + rh * 3 / 5))"
      c=$((c + 1))
    done
    r=$((r + 1))
  done
  "$convert" -size "${w}x$h" xc:'#e2cfa9' \
    -fill '#c9b48e' -draw "rectangle 0,$((h - 40)) $w,$h" \
    -stroke '#f4f0e6' -strokewidth 4 -fill '#34495e' -draw "$draw" \
    -stroke none -fill '#6e4b2a' -draw "rectangle $((w / 2 - 22)),$((h - 90)) $((w / 2 + 22)),$h" \
    -fill '#9c8560' -draw "rectangle 0,0 $w,8" \
    "$5"
}

# street WIDTH HEIGHT FILE: sky above a grey street.
street() {
  "$convert" -size "$1x$(($2 * 3 / 4))" gradient:'#7eaed9-#dce8f2' \
    -size "$1x$(($2 / 4))" gradient:'#8d8d8d-#5f5f5f' -append "$3"
}

facade 480 400 5 5 "$tmp/flat.png"
street 640 480 "$tmp/street.png"
"$convert" "$tmp/flat.png" -alpha set -virtual-pixel transparent -define distort:viewport=640x480+0+0 \
  -distort Perspective '0,0 196,52  480,0 444,52  480,400 560,430  0,400 80,430' "$tmp/leaning.png"
"$convert" "$tmp/street.png" "$tmp/leaning.png" -composite -attenuate 0.4 +noise Gaussian \
  -quality 92 "$out/Facade.jpg"

facade 560 400 6 5 "$tmp/wide.png"
"$convert" "$tmp/wide.png" -alpha set -virtual-pixel transparent -define distort:viewport=640x480+0+0 \
  -distort Perspective '0,0 150,40  560,0 490,40  560,400 610,440  0,400 30,440' "$tmp/wideleaning.png"
"$convert" "$tmp/street.png" "$tmp/wideleaning.png" -composite -virtual-pixel edge \
  -distort Barrel '0.022674 0.003487 0.011840 0.924917' -attenuate 0.4 +noise Gaussian -quality 92 "$out/LensFacade.jpg"

# The garden house upright (640 x 480), then turned, darkened and capped.
"$convert" -size 640x360 gradient:'#88b4dc-#d5e4f0' -size 640x120 gradient:'#5d8c3a-#3f6b25' -append \
  -fill '#b5533c' -draw 'polygon 200,200 320,110 440,200' \
  -fill '#efe3c8' -draw 'rectangle 220,200 420,380' \
  -fill '#5a3b22' -draw 'rectangle 300,290 340,380' \
  -fill '#34495e' -stroke '#ffffff' -strokewidth 3 -draw 'rectangle 240,230 285,270 rectangle 355,230 400,270' \
  -stroke none -fill '#2f5d1f' -draw 'circle 530,300 530,220' -fill '#6b4a2f' -draw 'rectangle 522,370 538,420' \
  -rotate 90 -brightness-contrast -35x-5 \
  -fill black -draw 'rectangle 440,0 480,640' -attenuate 0.3 +noise Gaussian -quality 92 "$out/Sideways.jpg"

for photo in Facade LensFacade Sideways; do
  "$convert" "$out/$photo.jpg" -thumbnail 160x160 -quality 85 -strip "$tmp/$photo-preview.jpg"
  "$exiftool" -q -overwrite_original "-ThumbnailImage<=$tmp/$photo-preview.jpg" "$out/$photo.jpg"
done
