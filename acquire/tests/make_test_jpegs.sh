#!/bin/sh
# Test pictures of the JPEG hand-over, made with the system's own tools: textured pictures of odd
# sizes (so that bitmap rows are padded) in the usual samplings and a progressive one, each with
# djpeg's own 24-bit BMP decode beside it as the reference.
#   make_test_jpegs.sh OUTDIR
set -eu
out=$1
mkdir -p "$out"
make() {
  name=$1 size=$2
  shift 2
  convert -seed 7 -size "$size" plasma:fractal -depth 8 "ppm:$out/$name.ppm"
  cjpeg "$@" -outfile "$out/$name.jpg" "$out/$name.ppm"
  djpeg -bmp -outfile "$out/$name.bmp" "$out/$name.jpg"
  rm "$out/$name.ppm"
}
make odd420 333x211 -quality 85 -sample 2x2
make odd444 97x61 -quality 95 -sample 1x1
make odd422 154x99 -quality 75 -sample 2x1
make progressive 101x77 -quality 90 -progressive
make tiny 5x3 -quality 90
