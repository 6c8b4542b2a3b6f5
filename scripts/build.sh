#!/usr/bin/env bash
# Configures (once) and builds the native tree and both Windows trees.
#   build.sh [PRESET...]   default: native i686 x86_64
# PV_WERROR=ON|OFF chooses whether warnings are errors: for a new tree (default OFF), and applied
# again to an existing tree whenever it is given.
set -euo pipefail
cd "$(dirname "$0")/.."
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(native i686 x86_64)
for p in "${presets[@]}"; do
  if [ ! -f "build/$p/build.ninja" ]; then
    cmake --preset "$p" -DPV_WERROR="${PV_WERROR:-OFF}" >/dev/null
  elif [ -n "${PV_WERROR:-}" ]; then
    cmake -B "build/$p" -DPV_WERROR="$PV_WERROR" >/dev/null
  fi
  cmake --build --preset "$p"
done
