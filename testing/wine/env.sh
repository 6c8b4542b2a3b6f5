# Sourced with the build directory as $1: sets up the Wine environment of that build tree.
# Defines pv_wine_prefix_ready, pv_display_ready and pv_wine_stop.
pv_build=$1
pv_arch=$(cat "$pv_build/pv-arch" 2>/dev/null || echo i686)
export WINEPREFIX=$pv_build/wineprefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ "$pv_arch" = i686 ]; then
  export WINEARCH=win32 PV_WINE=wine
else
  export WINEARCH=win64 PV_WINE=/usr/lib/wine/wine64
fi

# Starts a long-lived helper in its own session with no inherited descriptors, so that it never
# holds a pipe of whoever started it (a test runner waits for its pipes to close).
pv_detached() {
  (
    for fd in $(ls /proc/$BASHPID/fd); do
      [ "$fd" -gt 2 ] && eval "exec $fd>&-"
    done
    exec setsid "$@" </dev/null >/dev/null 2>&1
  ) &
}

pv_wine_prefix_ready() {
  # The session's first programs start Wine's desktop process, which must see the display.
  pv_display_ready
  # One server for the whole run; it leaves by itself two minutes after its last client.
  (
    flock 9
    mkdir -p "$WINEPREFIX"
    if ! wineserver -k0 2>/dev/null; then
      pv_detached wineserver -f -p120
      for _ in $(seq 100); do wineserver -k0 2>/dev/null && break; sleep 0.05; done
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "creating Wine prefix $WINEPREFIX ($WINEARCH)" >&2
      pv_detached wineboot -i
      wait $!
    fi
    # Without a window manager (Xvfb), Wine waits 2 s for every managed top-level window that is
    # destroyed; unmanaged windows close at once.
    if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
      pv_detached "$PV_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
      wait $!
    fi
    # A new session's device manager relinks dosdevices/comN to the machine's own serial ports:
    # let that happen now, before any test links a terminal there.
    pv_detached "$PV_WINE" cmd /c exit
    wait $!
  ) 9>"$pv_build/.wineprefix.lock"
}

pv_display_ready() {
  [ -n "${DISPLAY:-}" ] && return 0
  local state=$pv_build/.xvfb
  (
    flock 9
    if [ -s "$state" ] && kill -0 "$(cut -d' ' -f1 "$state")" 2>/dev/null; then exit 0; fi
    local n=90
    while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    pv_detached Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp
    for _ in $(seq 200); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.05; done
    echo "$(pgrep -f "Xvfb :$n ") :$n" >"$state"
  ) 9>/tmp/.pv-xvfb.lock
  export DISPLAY
  DISPLAY=$(cut -d' ' -f2 "$state")
}

# Ends the tree's wineserver and Xvfb (end of a test run).
pv_wine_stop() {
  wineserver -k 2>/dev/null || true
  local state=$pv_build/.xvfb
  if [ -s "$state" ]; then kill "$(cut -d' ' -f1 "$state")" 2>/dev/null || true; rm -f "$state"; fi
}
