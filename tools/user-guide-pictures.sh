#!/usr/bin/env bash
# Makes the user guide's pictures from the real program under Wine at
# 96 dpi (GUIDE_DPI=144 for a look at another): every window, as
# tools/user-guide/guide_pictures.cpp reaches it, saved as
# OUT_DIR/pictures/<window>.png (the README shows the 96-dpi ones).
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
QUILLET_SESSION_DPI=$dpi QUILLET_BIN_DIR="$build/windows" QUILLET_ARTIFACT_DIR="$pictures" \
  "$here/wine-session.sh" "$build/wine-guide-$dpi" bash -c '
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
    wait $tool' _ "$here" "$build" "$pictures" "$build/wine-guide-$dpi"
ls "$pictures"
