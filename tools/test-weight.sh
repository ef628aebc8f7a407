#!/usr/bin/env bash
# The weight of the tests against the program: non-blank lines of the
# tracked test sources (tests/, *.cpp .h .hpp .c .vbs .sh .js) against those
# of the tracked program sources outside tests/, tools/ and bench/ (*.cpp .h
# .hpp .c .idl .rc). Prints both counts and their ratio on one line and
# fails when the ratio rises above LIMIT (0.36 unless given). Only what git
# tracks counts, so a fresh clone gives the same figures as a working tree.
# Usage: test-weight.sh [LIMIT]
set -euo pipefail
limit=${1:-0.36}
cd "$(dirname "$0")/.."

# Non-blank lines of the files named on stdin, one a line.
count() {
  local files
  mapfile -t files
  if ((${#files[@]} == 0)); then echo 0; return; fi
  cat -- "${files[@]}" | grep -cv '^[[:space:]]*$' || true
}

if ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  echo "test weight: $(pwd) is not a git checkout" >&2
  exit 2
fi
tests=$(git ls-files -- 'tests/*' | grep -E '\.(cpp|h|hpp|c|vbs|sh|js)$' | count)
program=$(git ls-files | grep -E '\.(cpp|h|hpp|c|idl|rc)$' |
          grep -v -e '^tests/' -e '^tools/' -e '^bench/' | count)

# In ten-thousandths, with the shell's integers: 0.36 is 3600.
whole=${limit%%.*} fraction=${limit#*.}
[ "$fraction" != "$limit" ] || fraction=
fraction=${fraction}0000
limit_e4=$((10#${whole:-0} * 10000 + 10#${fraction:0:4}))
ratio_e4=$((program > 0 ? tests * 10000 / program : 10000))
ratio=$(printf '%d.%03d' $((ratio_e4 / 10000)) $((ratio_e4 % 10000 / 10)))

if ((tests * 10000 > limit_e4 * program)); then
  echo "test weight: $tests test lines / $program program lines = $ratio, above $limit: fold tests before adding more"
  exit 1
fi
echo "test weight: $tests test lines / $program program lines = $ratio (at most $limit)"
