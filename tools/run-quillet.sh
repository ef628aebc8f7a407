#!/usr/bin/env bash
# Lays out the organiser with its delivered files in BUILD/run and starts it
# under Wine; returns when the organiser has ended.
# Usage: run-quillet.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "$1")
win="$build/windows"
run="$build/run"
mkdir -p "$run"
cp "$win/quillet.exe" "$win/Lantoc.dll" "$run/"
# Delivered files are copied only when missing, so the user's settings and
# data in the run folder survive a rebuild.
for f in "$here/../data/"*; do
  [ -e "$f" ] || continue
  name=$(basename "$f")
  [ -e "$run/$name" ] || cp -r "$f" "$run/"
done

cd "$run"
# With a real display the organiser shows there. Without one it runs on a
# virtual screen, and a picture of that screen is saved a few seconds after
# the start so that a headless user can see what it shows.
if [ -n "${DISPLAY:-}" ] && [ -z "${QUILLET_HEADLESS:-}" ]; then
  export QUILLET_KEEP_DISPLAY=1
  exec "$here/wine-session.sh" "$build/wine-run" wine "$run/quillet.exe"
fi
shot="$build/run-screen.png"
echo "run-quillet: no display; the organiser runs on a virtual screen."
echo "run-quillet: a picture of that screen goes to $shot; close the organiser to end."
exec "$here/wine-session.sh" "$build/wine-run" bash -c '
  ( sleep "${QUILLET_SHOT_DELAY:-4}"; import -display "$DISPLAY" -window root "$1" 2>/dev/null &&
    echo "run-quillet: saved $1" ) &
  shooter=$!
  wine "$2"; rc=$?
  kill "$shooter" 2>/dev/null; wait "$shooter" 2>/dev/null
  exit $rc' _ "$shot" "$run/quillet.exe"
