#!/usr/bin/env bash
# Cross-builds the third-party libraries for both mingw-w64 targets into $PV_DEPS_DIR/<arch>:
# libjpeg-turbo from Debian's source package and GoogleTest from Debian's googletest sources.
# Each library is rebuilt only when its stamp (the source version) is missing or stale.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
deps=${PV_DEPS_DIR:-/opt/pvdeps}
work=$deps/src
mkdir -p "$work"

jpeg_version=$(dpkg-query -W -f='${Version}' libjpeg62-turbo-dev)
gtest_version=$(dpkg-query -W -f='${Version}' googletest)

fetch_jpeg_source() {
  local dir
  dir=$(find "$work" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
  if [ -z "$dir" ]; then
    (cd "$work" && apt-get source -q --download-only libjpeg-turbo >/dev/null 2>&1 \
      && dpkg-source -x --no-check libjpeg-turbo_*.dsc >/dev/null)
    dir=$(find "$work" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
  fi
  echo "$dir"
}

build_one() { # name version arch source-dir extra-cmake-args...
  local name=$1 version=$2 arch=$3 src=$4; shift 4
  local prefix=$deps/$arch stamp=$deps/$arch/.$name.stamp
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$version" ]; then return 0; fi
  echo "building $name $version for $arch"
  local bdir=$work/build-$name-$arch
  rm -rf "$bdir"
  cmake -S "$src" -B "$bdir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-$arch.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >"$bdir.log" 2>&1 \
    && cmake --build "$bdir" >>"$bdir.log" 2>&1 \
    && cmake --install "$bdir" >>"$bdir.log" 2>&1 \
    || { tail -n 40 "$bdir.log"; exit 1; }
  rm -rf "$bdir"
  echo "$version" >"$stamp"
}

jpeg_src=$(fetch_jpeg_source)
for arch in i686 x86_64; do
  build_one libjpeg-turbo "$jpeg_version" "$arch" "$jpeg_src" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON \
    -DCMAKE_POSITION_INDEPENDENT_CODE=ON -DCMAKE_ASM_NASM_COMPILER=nasm
  build_one googletest "$gtest_version" "$arch" /usr/src/googletest \
    -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF -DCMAKE_CXX_FLAGS=-shared-libgcc
done
