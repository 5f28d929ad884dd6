#!/usr/bin/env bash
# Pictures of every window of both programs, made on a virtual display:
# the four pages of the builder's main window (opened on the sample project,
# the Output page after a build of it), its About box, the screensaver playing
# a movie full screen (installed from that build) and its setup dialog (also
# with the pointer on a link); framed test forms, one per style and a
# maximised one; an MDI form with tiled children and one with a maximised
# child; link labels and the input dialog.
# PNG files in build/windows/gallery/. Needs the windows preset built
# (bash tools/start.sh).
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build/windows"
out="$build/gallery"
helper="$build/tests/gallery_helper.exe"
builder="$build/bin/tessaloom.exe"
sample="$build/samples/sample.qlm"
package="$build/samples/SampleScreensaverSetup.exe"
installed_dir="$out/installed"
main="Nimbrel Tessaloom"

for f in "$helper" "$sample"; do
  [ -f "$f" ] || { echo "Missing $f: build first (bash tools/start.sh)." >&2; exit 1; }
done
mkdir -p "$out"
rm -rf "$out"/*.bmp "$out"/*.png "$installed_dir"
mkdir -p "$installed_dir"

source "$root/tools/wine-session.sh"
trap wine_session_stop EXIT
# A prefix of the gallery's own (with the tests' X11 driver settings, which
# wine_session_start gives every prefix).
wine_session_start "$build/gallery-wineprefix"

# Wine sees the Linux file system as drive Z:.
zpath() { local p="$1"; echo "Z:${p//\//\\}"; }
h() { wine "$helper" "$@"; }
shot() { h shot "$1" "$(zpath "$out/$2.bmp")" && echo "  $2"; }
missing=()

if [ -f "$builder" ]; then
  echo "Builder on the sample project:"
  wine "$builder" "$(zpath "$sample")" </dev/null >/dev/null 2>&1 &
  builder_pid=$!
  if h wait "$main" 60 && h items "$main" 5 120; then
    sleep 1
    h tab "$main" 0 && shot "$main" builder-1-information
    h tab "$main" 1 && sleep 1.5 && shot "$main" builder-2-flash-movies
    # The list's popup menu and the File menu, open over the window.
    h rclick "$main" && h screen "$(zpath "$out/builder-list-popup.bmp")" && echo "  builder-list-popup"
    h keys "$main" escape
    h menubar "$main" 0 && h screen "$(zpath "$out/builder-menu-file.bmp")" && echo "  builder-menu-file"
    h keys "$main" escape
    h tab "$main" 2 && shot "$main" builder-3-settings
    h tab "$main" 3 && h click "$main" "Build Installation Package" && h text "$main" "Completed" 180 &&
      shot "$main" builder-4-output
    # Help > About as a user reaches it: the menu bar's last button, then the
    # last item of the menu that drops below it.
    h menubar "$main" -1 && h keys "$main" up enter
    if h wait "About" 10; then
      # The pointer on the banner: its flat panel sinks.
      h pointer "About" 100 55
      shot "About" builder-about
      h close "About"
    else
      echo "  (the About box did not open)" >&2
    fi
    h close "$main"
  else
    echo "  (the builder's window did not show the sample project)" >&2
    h close "$main"
  fi
  wait "$builder_pid" 2>/dev/null
else
  missing+=("the builder ($builder)")
fi

frames="$build/skin/skin_frame_gallery.exe"
if [ -f "$frames" ]; then
  echo "Framed test forms:"
  for kind in styles maximized; do
    wine "$frames" "$kind" 12 </dev/null >/dev/null 2>&1 &
    frames_pid=$!
    title=BlueGlass
    [ "$kind" = maximized ] && title="Maximised WinXP"
    if h wait "$title" 30; then
      sleep 2
      h screen "$(zpath "$out/frames-$kind.bmp")" && echo "  frames-$kind"
    else
      echo "  (the $kind forms did not show)" >&2
    fi
    wait "$frames_pid" 2>/dev/null
  done
else
  missing+=("the framed test forms ($frames)")
fi

mdi="$build/skin/skin_mdi_gallery.exe"
if [ -f "$mdi" ]; then
  echo "MDI test forms:"
  for kind in tiled maximized; do
    wine "$mdi" "$kind" 12 </dev/null >/dev/null 2>&1 &
    mdi_pid=$!
    title="MDI tiled"
    [ "$kind" = maximized ] && title="MDI maximised"
    if h wait "$title" 30; then
      sleep 2
      h screen "$(zpath "$out/mdi-$kind.bmp")" && echo "  mdi-$kind"
    else
      echo "  (the $kind MDI form did not show)" >&2
    fi
    wait "$mdi_pid" 2>/dev/null
  done
else
  missing+=("the MDI test forms ($mdi)")
fi

dialogs="$build/skin-dialogs/tests/skin_dialogs_gallery.exe"
if [ -f "$dialogs" ]; then
  echo "Link labels and the input dialog:"
  wine "$dialogs" "$(zpath "$out")" </dev/null >/dev/null 2>&1 && echo "  link-labels, input-dialog-WinXP, input-dialog-DeepBlue"
else
  missing+=("the dialogs' pictures ($dialogs)")
fi

if [ -f "$package" ]; then
  echo "Installing the sample screensaver into $installed_dir:"
  TESSALOOM_INSTALL_DIR=$(zpath "$installed_dir") TESSALOOM_INSTALL_FALLBACK_DIR=$(zpath "$installed_dir") \
    wine "$package" /auto </dev/null >/dev/null 2>&1 &
  installer_pid=$!
  h answer 60 | sed 's/^/  /'
  wait "$installer_pid" 2>/dev/null
else
  missing+=("a built package ($package)")
fi

scr="$installed_dir/Sample Screensaver.scr"
if [ -f "$scr" ]; then
  echo "Screensaver:"
  wine "$scr" /s </dev/null >/dev/null 2>&1 &
  saver_pid=$!
  if h wait class=TShowForm 60; then
    sleep 2
    h screen "$(zpath "$out/screensaver-playback.bmp")" && echo "  screensaver-playback"
    h keys class=TShowForm space
  else
    echo "  (no playback window)" >&2
  fi
  wait "$saver_pid" 2>/dev/null

  wine "$scr" /c </dev/null >/dev/null 2>&1 &
  setup_pid=$!
  if h wait class=TSetupForm 60; then
    shot class=TSetupForm screensaver-setup
    # The title bar's system menu, opened by Alt+Space as the frame holds the hook here.
    h altspace class=TSetupForm && h screen "$(zpath "$out/screensaver-setup-system-menu.bmp")" &&
      echo "  screensaver-setup-system-menu"
    h keys class=TSetupForm escape
    # The pointer on the home page link: it turns to its hover colour.
    h pointer class=TSetupForm 160 78 && shot class=TSetupForm screensaver-setup-link-hovered
    h click class=TSetupForm Cancel || h close class=TSetupForm
  else
    echo "  (no setup dialog)" >&2
  fi
  wait "$setup_pid" 2>/dev/null
else
  missing+=("an installed screensaver ($scr)")
fi

for f in "$out"/*.bmp; do
  [ -f "$f" ] || continue
  convert "$f" "${f%.bmp}.png" && rm "$f"
done
ls -l "$out"/*.png 2>/dev/null
if ((${#missing[@]})); then
  printf 'Not pictured, missing: %s\n' "${missing[@]}" >&2
  exit 1
fi
