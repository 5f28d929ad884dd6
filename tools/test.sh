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
# Five timings run alone afterwards, so that no other test's windows weigh on
# them. Each reports a ratio and decides nothing by its figure (one run on a
# shared machine is noisy); each fails the run only when it does not run
# through. The screensaver's start-up: its first frame less its bare start, to
# a bare full-screen window program's first frame less its bare start plus
# reading and inflating the own file. The opening of a project with a
# 10,000-line licence against one without: most of its difference is the
# platform's edit control taking in the text. A 10,000-line memo scrolled
# through its skinned bar against plain scroll messages. A page switch by a
# click on a skinned tab against the plain page control. The builder's main
# window repainted whole, frame included, to the same window of plain controls.
timings='^ScreensaverStartup\.|^ProjectOpenTiming\.|^SkinScrollTiming\.|^PageSwitchTiming\.|^RepaintTiming\.'
run ctest --preset windows -j "$jobs" --resource-spec-file "$slots_spec" -E "$timings"
report_timing() {
  local title=$1 regex=$2 figures=$3 log
  log="$root/build/windows/timing-$4.log"
  echo "== $title (reported)"
  if ctest --preset windows --resource-spec-file "$slots_spec" -R "$regex" -V >"$log" 2>&1; then
    grep -E "^[0-9]+: ($figures)" "$log" | sed 's/^[0-9]*: //' || echo "no figures in $log"
  else
    status=1
    echo "the timing test did not run through: $log"
    tail -n 40 "$log"
  fi
}
report_timing "Screensaver start-up timing" '^ScreensaverStartup\.' \
  'screensaver:|bare full-screen|reading and inflating|start-up ratio' startup
report_timing "Project opening with a long licence" '^ProjectOpenTiming\.' 'project open timing' project-open
report_timing "Skinned scroll bar timing" '^SkinScrollTiming\.' 'skinned bar scroll|plain scroll messages' scroll
report_timing "Page switch timing" '^PageSwitchTiming\.' 'page switch by a click' page-switch
report_timing "Main window repaint" '^RepaintTiming\.' 'repaint timing|repaint ratio' repaint
exit $status
