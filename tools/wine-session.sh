#!/usr/bin/env bash
# Runs one command inside a headless Wine session: builds the prefix if
# needed, starts Xvfb on a free display and a persistent wineserver, runs the
# command, then stops exactly the processes it started.
# Usage: wine-session.sh PREFIX_DIR COMMAND [ARGS...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prefix=$(realpath -m "$1"); shift

"$here/wine-prefix.sh" "$prefix" || exit 1

export WINEPREFIX="$prefix" WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# A silent sound device: MCI opens and plays without a sound card.
export HOME="$prefix/home"
mkdir -p "$HOME"
echo 'pcm.!default { type null }' > "$HOME/.asoundrc"

xvfb_pid=""
owns_server=0
cleanup() {
  if [ "$owns_server" = 1 ]; then
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -f "${display_file:-}"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ -n "${QUILLET_KEEP_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then
  : # show on the user's own display
else
# Xvfb picks a free display itself and writes its number to the file.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
     3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do
  [ -s "$display_file" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { echo "wine-session: Xvfb failed" >&2; exit 1; }
  sleep 0.05
done
[ -s "$display_file" ] || { echo "wine-session: no display from Xvfb" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$display_file")"
fi

# -p keeps the server alive between test executables; exit 2 means another
# session already serves this prefix, which we then share but do not stop.
wineserver -p >/dev/null 2>&1
case $? in
  0) owns_server=1 ;;
  2) owns_server=0 ;;
  *) echo "wine-session: wineserver failed" >&2; exit 1 ;;
esac
export QUILLET_WINE_SESSION=1

# A test that changes the screen DPI restores it when it ends; one that was
# killed cannot, so a test session starts from a known DPI.
if [ -n "${QUILLET_SESSION_DPI:-}" ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "$QUILLET_SESSION_DPI" /f >/dev/null 2>&1
fi

"$@"
