# Sourced by the test and gallery scripts: a virtual display and one persistent
# Wine session for every Windows process they start. The wineserver must be
# started detached from any pipe, or CTest waits on the pipe its children inherit.

wine_session_start() {
  local prefix=$1
  mkdir -p "$prefix"
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" </dev/null >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
  [ -s "$fdfile" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
  wineserver -p </dev/null >/dev/null 2>&1 &
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

wine_session_stop() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}
