#!/usr/bin/env bash
# The main job: set up, build everything, and run the best end-to-end path that exists so far:
# the serial link library driving a COM port under Wine whose far end is a Linux pseudo-terminal.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh >build.log 2>&1 || { tail -n 60 build.log; echo "build failed"; exit 1; }
for arch in i686 x86_64; do
  echo "== $arch: link check through pvlink.dll"
  testing/wine/run.sh "build/$arch" "build/$arch/bin/linkcheck.exe"
done
