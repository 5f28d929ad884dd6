#!/usr/bin/env bash
# Installs what is needed, builds the Windows programs and opens the builder on
# the bundled sample project. Without a display it says how to run it on a
# virtual one instead.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash tools/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" -- --no-print-directory >/dev/null
echo "Built into build/windows."

builder=build/windows/bin/tessaloom.exe
sample="$root/build/windows/samples/sample.qlm"
if [ ! -f "$builder" ]; then
  echo "The builder ($builder) is not part of this build yet; nothing to start." >&2
  exit 1
fi
# Wine shows the Linux file system as drive Z:.
sample_arg="Z:${sample//\//\\}"
prefix="$root/build/windows/wineprefix"
wine_env=(env WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=")
command=("${wine_env[@]}" wine "$builder" "$sample_arg")

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Starting the builder on the sample project (first start of Wine's prefix takes a little while)..."
  exec "${command[@]}"
fi

quoted=$(printf '%q ' "${command[@]}")
if [ -n "${DISPLAY:-}" ]; then why="DISPLAY=$DISPLAY does not answer"; else why="DISPLAY is not set"; fi
cat <<EOF
There is no display here ($why): the builder is a
Windows GUI program and needs an X server. Run it on a virtual display with:

    cd $(printf '%q' "$root") && xvfb-run -a -s "-screen 0 1280x1024x24" ${quoted% }

or see every window of both programs as pictures in build/windows/gallery/:

    bash tools/gallery.sh
EOF
