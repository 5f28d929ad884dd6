#!/usr/bin/env bash
# Screenshots of the first frame of each sample movie in the player control,
# as PNG files in build/windows/gallery/. Needs the windows preset built and
# imagemagick.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build="$root/build/windows"
out="$build/gallery"
mkdir -p "$out"
rm -f "$out"/*.bmp "$out"/*.png

source "$root/tools/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$build/wineprefix"

args=()
for f in "$build"/player/samples/*.swf; do args+=("$(winepath -w "$f")"); done
wine "$build/player/flash_gallery.exe" "$(winepath -w "$out")" "${args[@]}"
for f in "$out"/*.bmp; do
  convert "$f" "${f%.bmp}.png"
  rm "$f"
done
ls -l "$out"
