#!/usr/bin/env bash
# The main job: set up, build everything, and use the product as a user would.
# 1. In each build tree's prefix, with the simulated camera (default card image) on COM1: pvcam,
#    over pvhost.dll and pvlink.dll, reads its status, lists the card, copies every picture and
#    saves a thumbnail, each copy checked byte for byte against the card image; pvshell registers
#    pvmount.dll and walks the camera through Wine's own shell.
# 2. The product: the setup program is made and installed silently into a fresh 64-bit prefix
#    (scripts/product-job.sh), and the installed software is used there.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/setup.sh
scripts/build.sh >build.log 2>&1 || { tail -n 60 build.log; echo "build failed"; exit 1; }

work=$(mktemp -d)
trap 'kill $(cat "$work/sim.pid" 2>/dev/null) 2>/dev/null || true; rm -rf "$work"' EXIT

run_arch() { # arch
  local arch=$1 out=$work/$1
  (source testing/wine/env.sh "$root/build/$arch"; pv_wine_prefix_ready)
  rm -rf "$work/card" "$out" && cp -r build/native/card "$work/card" && mkdir -p "$out"
  build/native/bin/pvsim --card "$work/card" --wineprefix "build/$arch/wineprefix" --com 1 \
    --port-file "$work/sim.port" >/dev/null 2>&1 &
  echo $! >"$work/sim.pid"
  for _ in $(seq 100); do [ -s "$work/sim.port" ] && break; sleep 0.05; done
  local pvcam=(testing/wine/run.sh "build/$arch" "build/$arch/bin/pvcam.exe")
  echo "== $arch: the simulated camera through pvhost.dll and pvlink.dll"
  "${pvcam[@]}" status
  "${pvcam[@]}" list '\PCCARD\DCIMAGES'
  "${pvcam[@]}" copyall "Z:${out//\//\\}"
  "${pvcam[@]}" thumb 0 "Z:${out//\//\\}\\thumb0.bmp"
  local checked=0 different=0 f
  for f in "$out"/*.JPG "$out"/*.FPX "$out"/*.ODC; do
    [ -e "$f" ] || continue
    src=$(find "$work/card/PCCARD/DCIMAGES" -name "$(basename "$f")" | head -n 1)
    if cmp -s "$f" "$src"; then checked=$((checked + 1)); else different=$((different + 1)); echo "DIFFERENT: $f"; fi
  done
  local pictures
  # The camera lists only 8.3 names (the card also holds "Long File Name.jpg", which it does not).
  pictures=$(find "$work/card/PCCARD/DCIMAGES" -type f -regextype posix-extended \
    -regex '.*/[A-Z0-9_~-]{1,8}\.(JPG|FPX|ODC)' | wc -l)
  echo "$checked copies identical to the card image, $different different, of the card's $pictures pictures"
  echo "== $arch: the camera under My Computer, through Wine's shell and pvmount.dll"
  testing/wine/run.sh "build/$arch" "build/$arch/bin/pvshell.exe"
  kill "$(cat "$work/sim.pid")"; wait "$(cat "$work/sim.pid")" 2>/dev/null || true; rm -f "$work/sim.port"
  [ "$different" = 0 ] && [ "$checked" = "$pictures" ] && [ "$pictures" -gt 0 ]
}

run_arch i686
run_arch x86_64
scripts/product-job.sh
