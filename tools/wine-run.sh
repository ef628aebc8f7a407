#!/usr/bin/env bash
# Runs one Windows executable under Wine. Inside a wine-session it uses that
# session; run on its own it opens a session just for this executable.
# Usage: wine-run.sh PREFIX_DIR EXE [ARGS...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prefix=$1; shift
if [ "${QUILLET_WINE_SESSION:-}" != 1 ]; then
  exec "$here/wine-session.sh" "$prefix" "$0" "$prefix" "$@"
fi
# Wine's helper processes (explorer, services) outlive the executable and
# inherit its output; a pipe they hold open would keep ctest waiting, so the
# output goes through a file instead.
log=$(mktemp)
wine "$@" >"$log" 2>&1
rc=$?
tr -d '\r' <"$log"
rm -f "$log"
exit $rc
