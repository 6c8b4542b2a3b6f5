#!/usr/bin/env bash
# Runs one Windows program under Wine in the build tree's own prefix:
#   run.sh BUILD_DIR PROGRAM.exe [ARGS...]
# Creates the prefix on first use (headless, no Mono/Gecko installers), keeps a wineserver alive for
# the test run, starts Xvfb when there is no display, and gives the program a pseudo-terminal peer
# (PV_PEER=127.0.0.1:PORT) that links serial ports into the prefix on request.
set -euo pipefail
build=$(cd "$1" && pwd); shift
exe=$1; shift
here=$(cd "$(dirname "$0")" && pwd)
source "$here/env.sh" "$build"

pv_wine_prefix_ready

native_bin=${PV_NATIVE_BIN_DIR:-$(cd "$here/../.." && pwd)/build/native/bin}
peer_dir=$(mktemp -d)
trap 'kill $(cat "$peer_dir/pid" 2>/dev/null) 2>/dev/null || true; rm -rf "$peer_dir"' EXIT
"$native_bin/pvpeer" --wineprefix "$WINEPREFIX" --port-file "$peer_dir/port" --work-dir "$peer_dir" \
  >"$peer_dir/log" 2>&1 &
echo $! >"$peer_dir/pid"
for _ in $(seq 100); do [ -s "$peer_dir/port" ] && break; sleep 0.05; done
[ -s "$peer_dir/port" ] || { echo "pvpeer did not start:"; cat "$peer_dir/log"; exit 1; }
export PV_PEER=127.0.0.1:$(cat "$peer_dir/port")

# Wine's own background processes (services, the desktop) start with the first program and live as
# long as the server: they must not inherit the caller's pipes, so the output goes through a file.
set +e
"$PV_WINE" "$exe" "$@" >"$peer_dir/out" 2>&1
rc=$?
set -e
cat "$peer_dir/out"
if [ $rc -ne 0 ] && [ -s "$peer_dir/log" ]; then echo "--- pvpeer log (end)"; tail -n 20 "$peer_dir/log"; fi
exit $rc
