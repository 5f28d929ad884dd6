# Sourced by the test and gallery scripts: a virtual display and one persistent
# Wine session for every Windows process they start. The wineserver must be
# started detached from any pipe, or CTest waits on the pipe its children inherit.

# Wine draws the title bar's buttons with its Marlett font; a prefix without
# it in its fonts folder shows letters instead. Copied in once the prefix exists.
wine_prefix_add_marlett() {
  local fonts=$1/drive_c/windows/Fonts f
  [ -f "$fonts/marlett.ttf" ] && return 0
  for f in /usr/share/wine/fonts/marlett.ttf /usr/lib/wine/fonts/marlett.ttf; do
    [ -f "$f" ] || continue
    mkdir -p "$fonts" && cp "$f" "$fonts/" || echo "Could not copy $f into $fonts" >&2
    return
  done
}

# Without a window manager, Wine draws the frames of its windows itself only
# when its X11 driver does not leave them to a manager ("Managed" N). Every
# prefix the scripts start gets the same setting, so the tests see the
# windows as the gallery's pictures show them.
wine_prefix_unmanaged() {
  WINEPREFIX=$1 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 ||
    echo "Could not set Managed=N in $1" >&2
}

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
  wine_prefix_add_marlett "$prefix"
  wine_prefix_unmanaged "$prefix"
}

wine_session_stop() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}

# Display slots for GUI tests: N more sessions, each with its own Xvfb,
# wineserver and prefix (<base>-gui<i>), advertised to tools/wine-run.sh
# through TESSALOOM_GUI_DISPLAY_<i> / TESSALOOM_GUI_PREFIX_<i> and to CTest
# through the resource spec file named as the third argument.
wine_gui_slots_start() {
  local count=$1 base=$2 spec=$3 i prefix entries=""
  GUI_SLOT_XVFB_PIDS=()
  GUI_SLOT_PREFIXES=()
  local displays=()
  for i in $(seq "$count"); do
    local prefix=$base-gui$i fdfile
    mkdir -p "$prefix"
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" </dev/null >/dev/null 2>&1 &
    GUI_SLOT_XVFB_PIDS+=($!)
    for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
    [ -s "$fdfile" ] || { echo "Xvfb did not start" >&2; return 1; }
    displays+=(":$(head -n1 "$fdfile")")
    export "TESSALOOM_GUI_DISPLAY_$i=${displays[-1]}" "TESSALOOM_GUI_PREFIX_$i=$prefix"
    rm -f "$fdfile"
    GUI_SLOT_PREFIXES+=("$prefix")
    WINEPREFIX=$prefix wineserver -p </dev/null >/dev/null 2>&1 &
    entries+="${entries:+, }{\"id\": \"$i\", \"slots\": 1}"
  done
  # Prefixes are created (or updated) side by side; each takes a while the first time.
  # Each boots on its own display: the desktop process the boot leaves running
  # holds X windows that the slot's later processes refer to, and on another
  # display those identifiers name nothing (or someone else's window), which
  # ends a test process with an X error.
  local boots=() k
  for k in "${!GUI_SLOT_PREFIXES[@]}"; do
    DISPLAY=${displays[$k]} WINEPREFIX=${GUI_SLOT_PREFIXES[$k]} wine cmd /c exit </dev/null >/dev/null 2>&1 &
    boots+=($!)
  done
  wait "${boots[@]}"
  for k in "${!GUI_SLOT_PREFIXES[@]}"; do
    wine_prefix_add_marlett "${GUI_SLOT_PREFIXES[$k]}"
    DISPLAY=${displays[$k]} wine_prefix_unmanaged "${GUI_SLOT_PREFIXES[$k]}"
  done
  printf '{"version": {"major": 1, "minor": 0}, "local": [{"gui": [%s]}]}\n' "$entries" >"$spec"
}

wine_gui_slots_stop() {
  local prefix pid
  for prefix in "${GUI_SLOT_PREFIXES[@]:-}"; do
    [ -n "$prefix" ] && WINEPREFIX=$prefix wineserver -k </dev/null >/dev/null 2>&1 || true
  done
  for pid in "${GUI_SLOT_XVFB_PIDS[@]:-}"; do
    [ -n "$pid" ] && { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; } || true
  done
  GUI_SLOT_PREFIXES=()
  GUI_SLOT_XVFB_PIDS=()
}
