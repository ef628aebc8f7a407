#!/usr/bin/env bash
# Builds the Wine prefix the organiser and its Windows-side tests run in.
# Usage: wine-prefix.sh PREFIX_DIR
# Idempotent: a prefix carrying the current stamp is left alone. Runs without
# a display (a quiet prefix) and ends the wineserver it used.
set -euo pipefail
prefix=$(realpath -m "$1")
here=$(cd "$(dirname "$0")" && pwd)
stamp_version=5
stamp="$prefix/.quillet-prefix"

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$stamp_version" ]; then
  exit 0
fi

echo "wine-prefix: building $prefix"
rm -rf "$prefix"
mkdir -p "$prefix"
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
unset DISPLAY

wineboot --init >/dev/null 2>&1
wineserver -w

# Fonts: Wine's own Tahoma/Marlett for captions and frame glyphs, and the
# Chinese faces Windows programs ask for mapped onto the Debian fonts.
# A font with no face name (the 13-pixel captions and dates) gets the first
# face of Wine's fallback list that holds the characters: "Arial", absent
# here, else whatever fontconfig ranks first for sans-serif, which is
# WenQuanYi Zen Hei. Its gasp table turns smoothing off from 9 to 16 pixels
# and it has no hinting, so there it draws broken ideographs (我 as 戏).
# The replacement for "Arial" pins that slot to WenQuanYi Micro Hei, which is
# hinted and smoothed at every size.
fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
for f in marlett tahoma tahomabd; do
  [ -f "/usr/share/wine/fonts/$f.ttf" ] && cp "/usr/share/wine/fonts/$f.ttf" "$fonts/"
done

# regedit wants UTF-16LE with a byte-order mark for the Chinese value names.
reg_utf8="$prefix/quillet.reg.txt"
reg="$prefix/quillet.reg"
cp "$here/wine-settings.reg" "$reg_utf8"
{ printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$reg_utf8"; } > "$reg"
wine regedit /S "$reg" >/dev/null 2>&1
wineserver -w
rm -f "$reg" "$reg_utf8"

echo "$stamp_version" > "$stamp"
