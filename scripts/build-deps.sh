#!/usr/bin/env bash
# Cross-builds the third-party libraries for both mingw-w64 targets into $PV_DEPS_DIR/<arch>:
# libjpeg-turbo from Debian's source package and GoogleTest from Debian's googletest sources.
# Each library is rebuilt only when its stamp (the version of the source that was built) is missing
# or stale.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
deps=${PV_DEPS_DIR:-/opt/pvdeps}
work=$deps/src
mkdir -p "$work"

gtest_version=$(dpkg-query -W -f='${Version}' googletest)

# The unpacked libjpeg-turbo source (fetched when there is none yet); stops with the fetch's own
# words when it fails.
fetch_jpeg_source() {
  local dir
  dir=$(find "$work" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | sort -V | tail -n 1)
  if [ -z "$dir" ]; then
    if ! (cd "$work" && apt-get source -q --download-only libjpeg-turbo >"$work/fetch.log" 2>&1 \
          && dpkg-source -x --no-check libjpeg-turbo_*.dsc >>"$work/fetch.log" 2>&1); then
      tail -n 20 "$work/fetch.log" >&2
      echo "build-deps: cannot fetch the libjpeg-turbo source package (is a deb-src entry configured? scripts/setup.sh adds one)" >&2
      return 1
    fi
    dir=$(find "$work" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | sort -V | tail -n 1)
  fi
  [ -n "$dir" ] || { echo "build-deps: no libjpeg-turbo source in $work" >&2; return 1; }
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

jpeg_src=$(fetch_jpeg_source) || exit 1
# The stamp names the source that is built, which need not be the installed package's version.
jpeg_version=$(dpkg-parsechangelog -l "$jpeg_src/debian/changelog" -S Version)
for arch in i686 x86_64; do
  build_one libjpeg-turbo "$jpeg_version" "$arch" "$jpeg_src" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON \
    -DCMAKE_POSITION_INDEPENDENT_CODE=ON -DCMAKE_ASM_NASM_COMPILER=nasm
  build_one googletest "$gtest_version" "$arch" /usr/src/googletest \
    -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF -DCMAKE_CXX_FLAGS=-shared-libgcc
done
