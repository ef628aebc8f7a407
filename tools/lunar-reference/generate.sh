#!/usr/bin/env bash
# Regenerates the lunar reference data of the tests from lunar-javascript
# (version pinned in package-lock.json) and prints the packed year words for
# comparison with base/lunar_table.h. Needs node and npm (Debian packages
# nodejs and npm); the build and the tests never do.
set -euo pipefail
cd "$(dirname "$0")"
source ../npm-packages.sh
node generate.js reference > ../../tests/data/lunar_months.txt
echo "wrote tests/data/lunar_months.txt"
node generate.js table
