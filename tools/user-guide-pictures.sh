#!/usr/bin/env bash
# Makes the user guide's pictures from the real program under Wine at
# 96 dpi: every window, as tools/user-guide/guide_pictures.cpp reaches it,
# saved as OUT_DIR/pictures/<window>.png (the README shows them).
# Usage: user-guide-pictures.sh BUILD_DIR OUT_DIR      (after `make build`)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "$1")
pictures=$(realpath -m "$2")/pictures
mkdir -p "$pictures"
rm -f "$pictures"/*.png
QUILLET_SESSION_DPI=96 QUILLET_BIN_DIR="$build/windows" QUILLET_ARTIFACT_DIR="$pictures" \
  "$here/wine-session.sh" "$build/wine-test" \
  "$here/wine-run.sh" "$build/wine-test" "$build/windows/user-guide/guide_pictures.exe" --gtest_brief=1
ls "$pictures"
