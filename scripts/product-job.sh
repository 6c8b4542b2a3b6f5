#!/usr/bin/env bash
# The installed product, as a user meets it: the setup program is made from both build trees and
# installed silently into a fresh 64-bit Wine prefix (build/product/prefix), the simulated camera is
# put on COM1, and then:
#   - the 64-bit and the 32-bit shell list the camera through the installed pvmount.dll;
#   - the shell's explorer browser (the window of Wine's explorer) opens the memory card and the
#     Mounter's view shows it in thumbnails, saved as a screenshot;
#   - the installed camera console tool copies a picture out of the camera;
#   - a TWAIN application (the project's test application, through its source manager) acquires
#     the camera's first picture through each installed data source as a BMP file: from the card
#     as it is with the 32-bit source (a JPEG, compared with libjpeg-turbo's own decode pixel for
#     pixel), then, with the first album's pictures taken off the card, with the 64-bit source (a
#     FlashPix picture, compared with the picture the card was made from);
# every result is checked, and the last lines say where each file is. Needs the built trees.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
out=$root/build/product
rm -rf "$out" && mkdir -p "$out/pictures"
echo x86_64 >"$out/pv-arch"
sim_pid=
trap '[ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null; source testing/wine/env.sh "$out"; pv_wine_stop' EXIT

win_path() { echo "Z:${1//\//\\}"; }
check() { # description command...
  if "${@:2}"; then echo "  ok: $1"; else echo "  FAILED: $1"; exit 1; fi
}

echo "== the setup program"
setup=$(installer/make_installer.sh "$out/pvsetup.exe" | tail -n 1)
echo "  $setup"

echo "== a silent install into a fresh 64-bit prefix"
source testing/wine/env.sh "$out"
pv_wine_prefix_ready
rc=0
timeout 300 "$PV_WINE" "$(win_path "$setup")" /S </dev/null >"$out/setup.log" 2>&1 || rc=$?
check "pvsetup.exe /S ended with exit code 0 (it gave $rc)" test "$rc" = 0
program_files=$WINEPREFIX/drive_c/Program\ Files/ORVIK/PV360
check "the console tool is installed" test -f "$program_files/pvcam.exe"

echo "== the simulated camera on COM1"
build/native/bin/pvcardgen --seed 1 --out "$out/card" --sources "$out/card-sources" >/dev/null
build/native/bin/pvsim --card "$out/card" --wineprefix "$WINEPREFIX" --com 1 --port-file "$out/sim.port" \
  >"$out/sim.log" 2>&1 &
sim_pid=$!
for _ in $(seq 100); do [ -s "$out/sim.port" ] && break; sleep 0.05; done
check "the simulator serves" test -s "$out/sim.port"
# Tests and scripts do not wait for the real serial lock delay between blocks.
timeout 60 "$PV_WINE" reg add 'HKLM\SOFTWARE\Brisway Orvik Company\Digital Cameras\PV360 Mounter\pvlink.DLL' \
  /v LockDelay /t REG_DWORD /d 0 /f >/dev/null 2>&1

echo "== the camera under My Computer, through the installed Mounter"
for arch in x86_64 i686; do
  loader=$PV_WINE
  [ "$arch" = i686 ] && loader=wine
  timeout 300 "$loader" "$(win_path "$root/build/$arch/bin/pvshell.exe")" --registered </dev/null \
    >"$out/shell-$arch.txt" 2>&1 || true
  check "the $arch shell lists the memory card" grep -q 'Memory Card' "$out/shell-$arch.txt"
  check "the $arch shell loaded the installed module" grep -qi 'server C:\\Program Files.*\\ORVIK\\PV360\\pvmount.dll' "$out/shell-$arch.txt"
done

echo "== the memory card in the explorer browser, in thumbnails"
timeout 300 "$PV_WINE" "$(win_path "$root/build/x86_64/bin/pvexplore.exe")" "$(win_path "$out/explorer-thumbnails.png")" \
  </dev/null >"$out/explore.txt" 2>&1 || true
sed 's/^/  /' "$out/explore.txt"
check "the card's thumbnails are drawn" grep -q 'thumbnail view shown, [1-9]' "$out/explore.txt"
check "the screenshot is saved" test -s "$out/explorer-thumbnails.png"

echo "== a picture copied out with the installed console tool"
picture=PV000006.JPG
timeout 300 "$PV_WINE" "C:\\Program Files\\ORVIK\\PV360\\pvcam.exe" copy "\\PCCARD\\DCIMAGES\\$picture" \
  "$(win_path "$out/pictures/$picture")" </dev/null >"$out/pvcam.txt" 2>&1 || true
check "$picture is identical to the card's" cmp -s "$out/pictures/$picture" "$out/card/PCCARD/DCIMAGES/$picture"

echo "== two pictures acquired through TWAIN"
acquire() { # arch picture: the camera's first picture, by the test application of that architecture
  local arch=$1 picture=$2 app=$out/app-$1 loader=$PV_WINE
  [ "$arch" = i686 ] && loader=wine
  mkdir -p "$app"
  cp "build/$arch/bin/pvtwain.exe" "build/$arch/bin/TWAIN_32.DLL" build/"$arch"/bin/lib*.dll "$app/"
  WINEDLLOVERRIDES="mscoree,mshtml=;twain_32=n" timeout 300 "$loader" "$(win_path "$app/pvtwain.exe")" \
    "$(win_path "$out/pictures/$picture.bmp")" </dev/null >"$out/twain-$arch.txt" 2>&1 || true
  sed 's/^/  /' "$out/twain-$arch.txt"
  check "the $arch source gave $picture.bmp" test -s "$out/pictures/$picture.bmp"
}
first_album=$out/card/PCCARD/DCIMAGES/ALBUM001
acquire i686 PV000001
djpeg -bmp "$first_album/PV000001.JPG" >"$out/PV000001.djpeg.bmp"
differing=$(compare -metric AE "$out/pictures/PV000001.bmp" "$out/PV000001.djpeg.bmp" null: 2>&1 || true)
check "PV000001.bmp equals libjpeg-turbo's decode of PV000001.JPG ($differing pixels differ)" test "$differing" = 0
rm "$first_album"/PV0000*.JPG
acquire x86_64 PV000004
# The mean error against each source picture ("absolute (normalised)"): JPEG's loss and the
# generator's PhotoYCC tone curve keep it under 0.1 for its own source, and the picture must be at
# least twice as close to its own source as to any other of the card.
mae() { compare -metric MAE "$1" "$2" null: 2>&1 | sed 's/.*(\(.*\))/\1/' || true; }
own=$(mae "$out/pictures/PV000004.bmp" "$out/card-sources/PV000004.ppm")
nearest_other=1
for source in "$out"/card-sources/*.ppm; do
  [ "$(basename "$source")" = PV000004.ppm ] && continue
  [ "$(identify -format %wx%h "$source")" = 640x480 ] || continue
  nearest_other=$(awk -v a="$nearest_other" -v b="$(mae "$out/pictures/PV000004.bmp" "$source")" 'BEGIN { print (b < a ? b : a) }')
done
check "PV000004.bmp matches the picture PV000004.FPX was made from (mean error $own, nearest other picture $nearest_other)" \
  awk -v own="$own" -v other="$nearest_other" 'BEGIN { exit !(own + 0 < 0.1 && 2 * own < other + 0) }'

echo "== where everything is"
echo "  setup program:        $setup"
echo "  installed prefix:     $WINEPREFIX"
echo "  shell listings:       $out/shell-x86_64.txt, $out/shell-i686.txt"
echo "  explorer screenshot:  $out/explorer-thumbnails.png"
echo "  copied picture:       $out/pictures/$picture"
echo "  acquired pictures:    $out/pictures/PV000001.bmp (JPEG, 32-bit source), $out/pictures/PV000004.bmp (FlashPix, 64-bit source)"
