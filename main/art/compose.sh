#!/bin/sh
# compose.sh CONVERT TANGO OUT: makes the program's pictures in OUT from the Tango icon library (folder TANGO,
# Debian's tango-icon-theme) and the glyphs drawn here (*.mvg), with ImageMagick's convert (CONVERT).
#
# - <Name>.bmp and <Name>Disabled.bmp: 24 x 24, 24 bits, no alpha. The loader adds them masked with the colour
#   of pixel (0, 0) as transparent, so every picture has that key colour (magenta) wherever it is at least half
#   transparent, and at (0, 0) whatever the glyph. The disabled twin is the glyph in light grey.
# - NewImageList.bmp and NewImageListDisabled.bmp: the shared 24 x 24 images side by side, the same way.
# - ImageList1x1.bmp: a single transparent pixel.
# - Hand.cur: the 32 x 32 dragging hand, its hot spot in the middle of the palm.
# - Vantorel.ico: the program's icon, 16, 32 and 48 pixels.
# - About.png: the about box's picture, 550 x 367.
set -eu
convert=$1
tango=$2
out=$3
art=$(cd "$(dirname "$0")" && pwd)
actions=$tango/24x24/actions
mkdir -p "$out"
# Drawings are passed as text, not as @file: Debian's ImageMagick policy forbids reading @ paths.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

key='#FF00FF'

# glyph NAME [SIZE]: draws art/NAME.mvg (made for 24 x 24) scaled to a transparent SIZE x SIZE canvas (default
# 24) into tmp/NAME.png, or tmp/NAME-SIZE.png for another size.
glyph() {
  size=${2:-24}
  file="$tmp/$1.png"
  [ "$size" = 24 ] || file="$tmp/$1-$size.png"
  { echo "affine $size 0 0 $size 0 0" | awk '{ $2 /= 24; $5 /= 24; print }'; grep -v '^viewbox' "$art/$1.mvg"; } \
    >"$tmp/$1-$size.mvg"
  "$convert" -size "${size}x$size" xc:none -draw "$(cat "$tmp/$1-$size.mvg")" "$file"
}

# magnified NAME: the Tango magnifier with art/NAME.mvg drawn into its lens.
magnified() {
  "$convert" "$actions/system-search.png" \( -size 24x24 xc:none -draw "$(cat "$art/$1.mvg")" \) -composite "$tmp/$1.png"
}

# keyed IN OUT [disabled]: IN (with alpha) as a 24-bit bitmap on the key colour; "disabled" greys it first.
keyed() {
  grey=""
  [ "${3:-}" = disabled ] && grey="-colorspace Gray +level 45%,92% -colorspace sRGB"
  # shellcheck disable=SC2086
  "$convert" "$1" -alpha on -channel A -threshold 50% +channel $grey -background "$key" -alpha remove \
    -fill "$key" -draw 'point 0,0' -type TrueColor "BMP3:$2"
}

# picture NAME PNG: NAME.bmp and NAMEDisabled.bmp from PNG.
picture() {
  keyed "$2" "$out/$1.bmp"
  keyed "$2" "$out/$1Disabled.bmp" disabled
}

# Glyphs of the Tango library.
picture Undo "$actions/edit-undo.png"
picture Redo "$actions/edit-redo.png"
picture PrevImage "$actions/go-previous.png"
picture NextImage "$actions/go-next.png"

# The magnifier of the Tango library with our zoom signs.
for name in ZoomIn ZoomOut ActualSize BestFit; do
  magnified "$name"
  picture "$name" "$tmp/$name.png"
done

# Glyphs no icon library has, drawn here in its style; named as the tools load them.
for pair in PERSPECTIVETOOL:Perspective PERSP4TOOL:Corners CROP:Crop CONTRAST:Contrast TEXT:Text RESIZE:Resize \
            RIGHT:Rotate; do
  name=${pair%%:*}
  source=${pair#*:}
  glyph "$source"
  picture "$name" "$tmp/$source.png"
done

# The shared images, in the order of their indexes: 0 new, 1 open, 2 save, 3 print, 4 cut, 5 copy, 6 paste,
# 7 help, 8 undo, 9 redo.
"$convert" "$actions/document-new.png" "$actions/document-open.png" "$actions/document-save.png" \
  "$actions/document-print.png" "$actions/edit-cut.png" "$actions/edit-copy.png" "$actions/edit-paste.png" \
  "$tango/24x24/apps/help-browser.png" "$actions/edit-undo.png" "$actions/edit-redo.png" \
  -background none +append "$tmp/strip.png"
picture NewImageList "$tmp/strip.png"

"$convert" -size 1x1 "xc:$key" -type TrueColor "BMP3:$out/ImageList1x1.bmp"

# The cursor: the library writes an icon; the header's type (2 = cursor) and the hot spot (16, 16) are set here.
"$convert" -size 32x32 xc:none -draw "$(cat "$art/Hand.mvg")" "CUR:$out/Hand.cur"
printf '\002\000' | dd of="$out/Hand.cur" bs=1 seek=2 conv=notrunc status=none
printf '\020\000\020\000' | dd of="$out/Hand.cur" bs=1 seek=10 conv=notrunc status=none

# The program's icon and the about box's picture: the perspective glyph, large on a blue ground for the latter.
for size in 16 32 48 192; do glyph Perspective "$size"; done
"$convert" "$tmp/Perspective-16.png" "$tmp/Perspective-32.png" "$tmp/Perspective-48.png" "ICO:$out/Vantorel.ico"
"$convert" -size 550x367 gradient:'#729fcf-#204a87' "$tmp/Perspective-192.png" -gravity east -geometry +40+0 \
  -composite "PNG24:$out/About.png"
