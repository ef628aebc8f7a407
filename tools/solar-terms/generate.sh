#!/usr/bin/env bash
# Regenerates calendar/solar_term_table.h from lunar-javascript, checked
# against astronomy-engine (versions pinned in package-lock.json); prints
# the figures of the comparison. Needs node and npm (Debian packages nodejs
# and npm); the build and the tests never do.
set -euo pipefail
cd "$(dirname "$0")"
if ! command -v npm >/dev/null; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends nodejs npm >/dev/null
fi
npm ci --no-audit --no-fund >/dev/null
node generate.js > ../../calendar/solar_term_table.h.new
mv ../../calendar/solar_term_table.h.new ../../calendar/solar_term_table.h
echo "wrote calendar/solar_term_table.h"
