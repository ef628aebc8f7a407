#!/usr/bin/env bash
# Makes what a user downloads from the Windows build: the per-user installer
# Quillet-<version>-setup.exe (NSIS) and Quillet-<version>-portable.zip,
# both holding the program, the control library and the delivered files.
# Usage: make-dist.sh BUILD_DIR OUT_DIR [BUILD_NUMBER]
# The version comes from the file VERSION; BUILD_NUMBER numbers the files
# and the installer apart from it (the release check makes a later setup so).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(realpath "$1")
out=$(realpath -m "$2")
win="$build/windows"

field() { sed -n "s/^$1 *= *\([^ ]*\).*/\1/p" "$root/VERSION"; }
version=$(field QUILLET_VERSION)
number=${3:-$(field QUILLET_BUILD)}
full="$version.$number"

# The files a user gets: the program's own, then the first-run settings.
own=(quillet.exe Lantoc.dll Help.dat Code.dat Code-licences.txt Holiday.dat reminder-chime.wav)
stage="$build/dist-stage/Quillet-$full"
rm -rf "$stage"
mkdir -p "$stage" "$out"
for f in "${own[@]}" paramter.dat; do
  [ -f "$win/$f" ] || { echo "make-dist: $win/$f is missing; build first" >&2; exit 1; }
  cp "$win/$f" "$stage/"
done
# The build keeps its debugging sections; the user's copy goes without.
x86_64-w64-mingw32-strip --strip-debug "$stage/quillet.exe" "$stage/Lantoc.dll"

setup="$out/Quillet-$full-setup.exe"
makensis -V2 -INPUTCHARSET UTF8 \
  "-DVERSION=$full" "-DFILEVERSION=$full.0" "-DSTAGE=$stage" \
  "-DICON=$root/shell/quillet.ico" "-DOUTFILE=$setup" "$root/installer/quillet.nsi"

zipfile="$out/Quillet-$full-portable.zip"
rm -f "$zipfile"
(cd "$(dirname "$stage")" && zip -q -X -r -9 "$zipfile" "$(basename "$stage")")
for f in "$setup" "$zipfile"; do
  printf 'make-dist: %s (%s bytes)\n' "$f" "$(stat -c %s "$f")"
done
