#!/usr/bin/env bash
# CTest's runner for the Windows test programs. A GUI test that CTest has
# given a display slot runs in that slot's own Wine session (its own virtual
# display, wineserver and prefix), so GUI tests of different slots can run at
# once without sharing a desktop, a foreground window or the pointer. Without
# a slot, or when no slot sessions were started, the caller's session is used.
if [ -n "${CTEST_RESOURCE_GROUP_0_GUI:-}" ]; then
  slot=${CTEST_RESOURCE_GROUP_0_GUI#id:}
  slot=${slot%%,*}
  display_var=TESSALOOM_GUI_DISPLAY_$slot
  prefix_var=TESSALOOM_GUI_PREFIX_$slot
  if [ -n "${!display_var:-}" ] && [ -n "${!prefix_var:-}" ]; then
    export DISPLAY=${!display_var} WINEPREFIX=${!prefix_var}
  fi
fi

# Now and then, on a loaded machine, Wine gives up before the program has
# started at all: it exits at once, non-zero, having printed nothing. A test
# program always prints its first line to its output before any test runs,
# so a failed run with nothing on its output ran no test; only such a run is
# started again (twice at most), and it is said on the output. Any other
# result is the program's own. The error output passes straight through, as
# test discovery reads the standard output alone.
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for attempt in 1 2 3; do
  wine "$@" | tee "$out"
  rc=${PIPESTATUS[0]}
  if [ "$rc" -eq 0 ] || [ -s "$out" ] || [ "$attempt" -eq 3 ]; then break; fi
  echo "wine-run: the program exited with $rc before printing anything (attempt $attempt); starting it again"
done
exit "$rc"
