#!/usr/bin/env bash
# Runs the JPEG readers' long mutation run or the hand-over benchmark on the camera's own JPEG
# files, which pvcardgen writes (seed 1) into a fresh card image:
#   jpegtools.sh mutate [COUNT] [ARCH...]    COUNT variants a tree (default 100000)
#   jpegtools.sh bench [ARCH...]             the 1152 x 864 picture of the card
# ARCH: i686, x86_64 (default both); the trees build/ARCH and build/native must be built.
set -euo pipefail
cd "$(dirname "$0")/../.."
what=${1:?usage: jpegtools.sh mutate [COUNT] [ARCH...] | bench [ARCH...]}
shift
count=100000
if [ "$what" = mutate ] && [[ ${1:-} =~ ^[0-9]+$ ]]; then count=$1; shift; fi
arches=("$@")
[ ${#arches[@]} -gt 0 ] || arches=(i686 x86_64)

card=$(mktemp -d)
trap 'rm -rf "$card"' EXIT
build/native/bin/pvcardgen --seed 1 --out "$card" >/dev/null
mapfile -t pictures < <(find "$card" -name 'PV*.JPG' | sort)
[ ${#pictures[@]} -gt 0 ] || { echo "pvcardgen wrote no JPEG pictures"; exit 1; }
large=
for p in "${pictures[@]}"; do
  [ "$(identify -format %wx%h "$p")" = 1152x864 ] && { large=$p; break; }
done

rc=0
for arch in "${arches[@]}"; do
  echo "== $arch"
  case $what in
    mutate) testing/wine/run.sh "build/$arch" "build/$arch/bin/jpeg_mutate.exe" "$count" "${pictures[@]/#/Z:}" || rc=1 ;;
    bench)
      [ -n "$large" ] || { echo "no 1152 x 864 picture on the card"; exit 1; }
      testing/wine/run.sh "build/$arch" "build/$arch/bin/handover_bench.exe" "Z:$large" || rc=1 ;;
    *) echo "unknown: $what"; exit 2 ;;
  esac
done
exit $rc
