#!/usr/bin/env bash
# Makes the user guide's pictures from the real program under Wine at
# 96 dpi (GUIDE_DPI=144 for a look at another): every window, as
# tools/user-guide/guide_pictures.cpp reaches it, saved as
# OUT_DIR/pictures/<window>.png (the README shows the 96-dpi ones).
# GUIDE_HIGH_CONTRAST=1 takes them in high contrast: a prefix of its own
# with the "High Contrast Black" system colours, and QUILLET_HIGH_CONTRAST=1
# (Wine cannot switch the system's high-contrast setting on).
# Usage: user-guide-pictures.sh BUILD_DIR OUT_DIR      (after `make build`)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "$1")
pictures=$(realpath -m "$2")/pictures
mkdir -p "$pictures"
rm -f "$pictures"/*.png
# The save dialog draws where a window capture under Wine sees black: the
# tool writes its rectangle into export-dialog.ready, and the picture is
# taken here from the X screen (ImageMagick's import), which the tool awaits.
dpi=${GUIDE_DPI:-96}
prefix="$build/wine-guide-$dpi"
if [ "${GUIDE_HIGH_CONTRAST:-}" = 1 ]; then
  prefix="$build/wine-guide-contrast-$dpi"
  export QUILLET_HIGH_CONTRAST=1
  "$here/wine-prefix.sh" "$prefix"
  colours="Window=0 0 0,WindowText=255 255 255,ButtonFace=0 0 0,ButtonText=255 255 255,\
Hilight=26 235 255,HilightText=0 0 0,GrayText=63 242 63,Menu=0 0 0,MenuText=255 255 255,\
Background=0 0 0,Scrollbar=0 0 0,ActiveTitle=0 0 0,TitleText=255 255 255,WindowFrame=255 255 255,\
ButtonShadow=128 128 128,ButtonHilight=255 255 255,ButtonDkShadow=255 255 255,ButtonLight=255 255 255,\
InfoText=255 255 255,InfoWindow=0 0 0,HotTrackingColor=255 255 0"
  IFS=, read -ra pairs <<<"$colours"
  { printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Colors]\n'
    for pair in "${pairs[@]}"; do printf '"%s"="%s"\n' "${pair%%=*}" "${pair#*=}"; done
  } >"$prefix/contrast.reg"
  WINEPREFIX="$prefix" WINEDEBUG=-all DISPLAY='' wine regedit /S "$prefix/contrast.reg" >/dev/null 2>&1
  WINEPREFIX="$prefix" wineserver -w
fi
QUILLET_SESSION_DPI=$dpi QUILLET_BIN_DIR="$build/windows" QUILLET_ARTIFACT_DIR="$pictures" \
  "$here/wine-session.sh" "$prefix" bash -c '
    "$1/wine-run.sh" "$4" "$2/windows/user-guide/guide_pictures.exe" --gtest_brief=1 &
    tool=$!
    while kill -0 $tool 2>/dev/null; do
      if [ -f "$3/export-dialog.ready" ]; then
        # Taken again until the dialog has painted: not mostly black, and
        # the same in two takes one after the other.
        for try in $(seq 50); do
          import -window root -crop "$(cat "$3/export-dialog.ready")" +repage "$3/dialog.tmp.png"
          [ "$(convert "$3/dialog.tmp.png" -format "%[fx:mean>0.3]" info:)" = 1 ] &&
            [ -f "$3/dialog.last.png" ] && cmp -s "$3/dialog.tmp.png" "$3/dialog.last.png" && break
          cp "$3/dialog.tmp.png" "$3/dialog.last.png"
        done
        rm -f "$3/dialog.last.png"
        mv "$3/dialog.tmp.png" "$3/export-dialog.png"
        rm -f "$3/export-dialog.ready"
      fi
      sleep 0.2
    done
    wait $tool' _ "$here" "$build" "$pictures" "$prefix"
ls "$pictures"
