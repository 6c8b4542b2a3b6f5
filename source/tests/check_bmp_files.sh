#!/bin/sh
# The BMP files of the file transfers opened by an ordinary image reader (ImageMagick): each has the
# size its manifest line gives, and each made from a stored JPEG file equals djpeg's decode of that
# file pixel for pixel.
#   check_bmp_files.sh FOLDER     (FOLDER/manifest.txt: "BMP-NAME STORED-NAME WIDTH HEIGHT" lines)
set -eu
folder=$1
manifest=$folder/manifest.txt
[ -s "$manifest" ] || { echo "no manifest of transferred files in $folder"; exit 1; }
checked=0 compared=0 failed=0
while read -r bmp stored width height; do
  size=$(identify -format '%m %w %h' "$folder/$bmp" 2>&1) || size="unreadable: $size"
  if [ "$size" != "BMP3 $width $height" ]; then
    echo "$bmp: $size, not BMP3 $width $height"; failed=$((failed + 1)); continue
  fi
  checked=$((checked + 1))
  case "$stored" in
  *.JPG|*.jpg)
    djpeg -pnm "$folder/$stored" >"$folder/$bmp.djpeg.ppm"
    differing=$(compare -metric AE "$folder/$bmp.djpeg.ppm" "$folder/$bmp" null: 2>&1) || true
    rm -f "$folder/$bmp.djpeg.ppm"
    if [ "$differing" != 0 ]; then echo "$bmp: $differing pixels differ from djpeg's decode of $stored"; failed=$((failed + 1)); fi
    compared=$((compared + 1));;
  esac
done <"$manifest"
echo "$checked BMP files opened, $compared equal to djpeg's decode, $failed failed"
[ "$failed" = 0 ] && [ "$checked" -gt 0 ]
