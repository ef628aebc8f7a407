#!/usr/bin/env bash
# Regenerates data/Holiday.dat (code page 936, CR LF) from the npm package
# chinese-days (version pinned in package-lock.json). Needs node and npm
# (Debian packages nodejs and npm) and iconv; the build and the tests never
# run it.
set -euo pipefail
cd "$(dirname "$0")"
source ../npm-packages.sh
node generate.js | iconv -f UTF-8 -t CP936 > ../../data/Holiday.dat.new
mv ../../data/Holiday.dat.new ../../data/Holiday.dat
echo "wrote data/Holiday.dat ($(grep -c '^[0-9]' ../../data/Holiday.dat) days)"
