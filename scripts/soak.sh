#!/usr/bin/env bash
# Runs the soak (host/soak) in each Windows tree, one after the other:
#   scripts/soak.sh [i686] [x86_64] [-- --copies N --seed S --speed BAUD --real-reset]
# Exit 0 when every bound held in every tree.
set -euo pipefail
cd "$(dirname "$0")/.."
arches=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do arches+=("$1"); shift; done
[ "${1:-}" != "--" ] || shift
[ ${#arches[@]} -gt 0 ] || arches=(i686 x86_64)
rc=0
for arch in "${arches[@]}"; do
  exe=build/$arch/bin/soak.exe
  [ -x "$exe" ] || { echo "$exe is missing: scripts/build.sh native $arch first"; exit 1; }
  echo "== $arch"
  testing/wine/run.sh "build/$arch" "$exe" "$@" || rc=1
done
exit $rc
