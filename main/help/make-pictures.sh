#!/bin/sh
# make-pictures.sh CONVERT ART IMAGES TOOL OUT: the pictures of the help pages in OUT/pictures, with
# ImageMagick's convert (CONVERT) and the Tahoma of Debian's fonts-wine for the text tool's picture.
#
# - The program's own glyphs, from the bitmaps the build composed for it (ART, main/art/compose.sh): each
#   24 x 24 bitmap with its key colour made transparent, named after the command it stands for.
# - The before and after pictures of the correction tools, made by TOOL (MakeHelpPictures, built for this
#   machine from the program's correction code) from the demonstrations' photographs in IMAGES.
set -eu
convert=$1
art=$2
images=$3
tool=$4
out=$5/pictures
fonts=/usr/share/wine/fonts
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# glyph BITMAP NAME [INDEX]: ART/BITMAP.bmp (or its INDEX-th 24 x 24 image) as OUT/NAME.png.
glyph() {
  crop=""
  [ -n "${3:-}" ] && crop="-crop 24x24+$(($3 * 24))+0 +repage"
  # shellcheck disable=SC2086
  "$convert" "$art/$1.bmp" $crop -transparent '#FF00FF' "PNG32:$out/$2.png"
}
glyph NewImageList open 1
glyph NewImageList save 2
glyph NewImageList print 3
glyph Undo undo
glyph Redo redo
glyph PrevImage previous
glyph NextImage next
glyph ZoomIn zoom-in
glyph ZoomOut zoom-out
glyph ActualSize actual-size
glyph BestFit best-fit
glyph PERSPECTIVETOOL tool-perspective
glyph PERSP4TOOL tool-four-point
glyph CROP tool-crop
glyph CONTRAST tool-brightness
glyph TEXT tool-text
glyph RESIZE tool-resize
glyph RIGHT tool-rotate
"$convert" "$art/Hand.cur" "PNG32:$out/hand.png"

# The photographs as PNG, which the program's own reader takes; then the pairs.
for photo in Facade LensFacade Sideways; do
  "$convert" "$images/$photo.jpg" -type TrueColor "PNG24:$tmp/$photo.png"
done
# The text tool's picture: the text as the tool renders it, white on black at the size of its box.
"$convert" -size 380x56 xc:black -fill white -font "$fonts/tahoma.ttf" -gravity center -pointsize 44 \
  -annotate 0 "Summer 2026" -type TrueColor "PNG24:$tmp/TextMask.png"
"$tool" "$tmp" "$out"
