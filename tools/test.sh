#!/usr/bin/env bash
# Builds every preset and runs every test: the native tests under sanitizers,
# short fuzz runs, the benchmarks, and the Windows tests under Wine and Xvfb.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash tools/install-deps.sh

jobs=$(nproc)
for preset in native-asan native fuzz windows; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs" -- --no-print-directory >/dev/null
done

status=0
run() { "$@" || status=1; }

echo "== native tests (AddressSanitizer, UBSan)"
run ctest --preset native-asan -j "$jobs"
echo "== fuzz (short runs)"
run ctest --preset fuzz -j "$jobs"
echo "== benchmarks"
run ctest --preset native -L benchmark -V

source tools/wine-session.sh
trap 'wine_gui_slots_stop; wine_session_stop' EXIT
wine_session_start "$root/build/windows/wineprefix"
# GUI tests run side by side, each in a display slot of its own session.
gui_slots=4
slots_spec="$root/build/windows/gui-slots-$gui_slots.json"
wine_gui_slots_start "$gui_slots" "$root/build/windows/wineprefix" "$slots_spec"
echo "== Windows tests (Wine on $DISPLAY, GUI tests in $gui_slots display slots)"
# The screensaver's start-up timing runs alone afterwards, so that no other
# test's windows weigh on it. It reports a ratio (the screensaver's first
# frame less its bare start, to a bare full-screen window program's first
# frame less its bare start plus reading and inflating the own file) and has
# no target of its own: it fails only when a program does not start, show or
# end as it should.
timing='^(ScreensaverStartup|SkinScrollTiming)\.'
run ctest --preset windows -j "$jobs" --resource-spec-file "$slots_spec" -E "$timing"
echo "== Screensaver start-up timing (reported)"
timing_log="$root/build/windows/startup-timing.log"
if ctest --preset windows --resource-spec-file "$slots_spec" -R '^ScreensaverStartup\.' -V >"$timing_log" 2>&1; then
  grep -E "^[0-9]+: (screensaver:|bare full-screen|reading and inflating|start-up ratio)" "$timing_log" | sed 's/^[0-9]*: //' ||
    echo "start-up timing: no figures in $timing_log"
else
  status=1
  echo "the start-up timing test did not run through: $timing_log"
  tail -n 40 "$timing_log"
fi
echo "== Skinned scroll bar timing (reported)"
scroll_log="$root/build/windows/scroll-timing.log"
if ctest --preset windows --resource-spec-file "$slots_spec" -R '^SkinScrollTiming\.' -V >"$scroll_log" 2>&1; then
  grep -E "^[0-9]+: (skinned bar scroll|plain scroll messages)" "$scroll_log" | sed 's/^[0-9]*: //' ||
    echo "scroll timing: no figures in $scroll_log"
else
  status=1
  echo "the scroll timing test did not run through: $scroll_log"
  tail -n 40 "$scroll_log"
fi
exit $status
