#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine, and prepares the
# cross-built third-party libraries (libjpeg-turbo and GoogleTest for both mingw targets).
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  cmake ninja-build nasm pkg-config git
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64
  wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick
  libjpeg62-turbo-dev libjpeg-turbo-progs libgtest-dev libgmock-dev googletest
  libgsf-1-dev dpkg-dev python3
)

need_install() {
  dpkg --print-foreign-architectures | grep -qx i386 || return 0
  [ -f /etc/apt/sources.list.d/pv-src.sources ] || return 0   # source packages are fetched too
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q 'install ok installed' || return 0
  done
  return 1
}

ensure_deb_src() {
  local f=/etc/apt/sources.list.d/pv-src.sources
  [ -f "$f" ] && return 0
  cat > "$f" <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
}

if need_install; then
  export DEBIAN_FRONTEND=noninteractive
  dpkg --add-architecture i386
  ensure_deb_src
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${packages[@]}"
fi

"$here/scripts/build-deps.sh"
