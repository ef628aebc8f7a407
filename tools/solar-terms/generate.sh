#!/usr/bin/env bash
# Regenerates calendar/solar_term_table.h from lunar-javascript, checked
# against astronomy-engine (versions pinned in package-lock.json); prints
# the figures of the comparison. Needs node and npm (Debian packages nodejs
# and npm); the build and the tests never do.
set -euo pipefail
cd "$(dirname "$0")"
source ../npm-packages.sh
node generate.js > ../../calendar/solar_term_table.h.new
mv ../../calendar/solar_term_table.h.new ../../calendar/solar_term_table.h
echo "wrote calendar/solar_term_table.h"
