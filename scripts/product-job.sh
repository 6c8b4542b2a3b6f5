#!/usr/bin/env bash
# The installed product, as a user meets it: the setup program is made from both build trees and
# installed silently into a fresh 64-bit Wine prefix (build/product/prefix), the simulated camera is
# put on COM1, and then:
#   - the 64-bit and the 32-bit shell list the camera through the installed pvmount.dll;
#   - the installed camera console tool copies a picture out of the camera;
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
cp -r build/native/card "$out/card"
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

echo "== a picture copied out with the installed console tool"
picture=PV000006.JPG
timeout 300 "$PV_WINE" "C:\\Program Files\\ORVIK\\PV360\\pvcam.exe" copy "\\PCCARD\\DCIMAGES\\$picture" \
  "$(win_path "$out/pictures/$picture")" </dev/null >"$out/pvcam.txt" 2>&1 || true
check "$picture is identical to the card's" cmp -s "$out/pictures/$picture" "$out/card/PCCARD/DCIMAGES/$picture"

echo "== where everything is"
echo "  setup program:        $setup"
echo "  installed prefix:     $WINEPREFIX"
echo "  shell listings:       $out/shell-x86_64.txt, $out/shell-i686.txt"
echo "  copied picture:       $out/pictures/$picture"
