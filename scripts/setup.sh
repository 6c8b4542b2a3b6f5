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
  libgsf-1-dev dpkg-dev python3 nsis
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

# Source packages come from the same places as the machine's binary packages: every enabled
# "deb" entry of its own configuration is repeated as "deb-src", naming nothing of our own.
ensure_deb_src() {
  local f=/etc/apt/sources.list.d/pv-src.sources
  [ -f "$f" ] && return 0
  local tmp
  tmp=$(mktemp)
  local src
  for src in /etc/apt/sources.list.d/*.sources; do
    [ -f "$src" ] || continue
    # deb822 stanzas: keep those whose Types name deb and are not disabled, turned into deb-src
    awk 'BEGIN { RS=""; ORS="\n\n" }
         /(^|\n)Types:([^\n]*[ \t])?deb([ \t\n]|$)/ && !/(^|\n)Enabled: *no/ {
           gsub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$src" >>"$tmp"
  done
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^[[:space:]]*deb[[:space:]]\+/deb-src /p' /etc/apt/sources.list >"$tmp.list"
    [ -s "$tmp.list" ] && install -m 644 "$tmp.list" /etc/apt/sources.list.d/pv-src.list
    rm -f "$tmp.list"
  fi
  if [ -s "$tmp" ]; then install -m 644 "$tmp" "$f"; else : >"$f"; fi
  rm -f "$tmp"
  if [ ! -s "$f" ] && [ ! -s /etc/apt/sources.list.d/pv-src.list ]; then
    echo "setup: the machine's package configuration names no \"deb\" source to fetch sources from" >&2
    exit 1
  fi
}

if need_install; then
  export DEBIAN_FRONTEND=noninteractive
  dpkg --add-architecture i386
  ensure_deb_src
  # A mirror caught mid-sync fails one index now and then: try the update a few times, and go on
  # with what was fetched (the install below fails plainly if a package is really missing).
  for attempt in 1 2 3; do
    apt-get update -q && break
    echo "setup: package index update failed (attempt $attempt)" >&2
    sleep $((attempt * 10))
  done
  for attempt in 1 2 3; do
    apt-get install -y -q --no-install-recommends "${packages[@]}" && break
    [ "$attempt" = 3 ] && exit 1
    sleep $((attempt * 10))
  done
fi

"$here/scripts/build-deps.sh"
