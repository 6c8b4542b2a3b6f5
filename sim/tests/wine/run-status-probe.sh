#!/usr/bin/env bash
# Runs the Windows status probe under Wine against pvsim linked as COM1 of a prefix of its own:
#   run-status-probe.sh PROBE.exe PVSIM CARD_DIR WORK_DIR
set -euo pipefail
probe=$1 pvsim=$2 card=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mkdir -p "$4" && cd "$4" && pwd)
# env.sh takes the architecture from a build tree's cache; this work area has none and runs i686.
touch "$work/CMakeCache.txt"
source "$here/../../../testing/wine/env.sh" "$work"
pv_wine_prefix_ready
# Wine's mount manager writes its own COM links (to /dev/ttyS*) when a Wine session starts; start
# the session first so that it does not replace the simulator's link.
"$PV_WINE" cmd.exe /c exit >/dev/null 2>&1 || true

rm -f "$work/port"
"$pvsim" --card "$card" --wineprefix "$WINEPREFIX" --com 1 --port-file "$work/port" --no-throttle \
  >"$work/pvsim.out" 2>"$work/pvsim.log" &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.05; done
[ -s "$work/port" ] || { echo "pvsim did not start"; cat "$work/pvsim.log"; exit 1; }

"$PV_WINE" "$probe"

exec 3<>"/dev/tcp/127.0.0.1/$(cat "$work/port")"
echo violations >&3
read -r reply <&3
echo "pvsim: $reply"
echo quit >&3
wait $sim
trap - EXIT
[ "$reply" = "OK 0" ]
