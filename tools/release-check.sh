#!/usr/bin/env bash
# The release check: what a user downloads installs, runs, upgrades and
# uninstalls cleanly. In a fresh Wine prefix (BUILD/wine-release, its
# desktop inside the build tree) it
#   1. installs the built setup silently, with the control library,
#   2. runs the installed program from the Start-menu shortcut's target
#      through real input (tests/release: a record added, a reminder that
#      comes due, the uninstaller refused while it runs, closed),
#   3. installs a later build over it: the user's files unchanged, the
#      program's own replaced,
#   4. uninstalls silently: nothing of the program left, the data kept.
# The install's default components start the program at log-on (the Run
# value holds the installed exe, quoted); the uninstaller removes it.
# Usage: release-check.sh BUILD_DIR        (after `make build`)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(realpath "$1")

if [ "${2:-}" != --inside ]; then
  started=$(date +%s)
  out="$build/release-check"
  prefix="$build/wine-release"
  rm -rf "$out" "$prefix" "$build/release-home"
  number=$(sed -n 's/^QUILLET_BUILD *= *\([0-9]*\).*/\1/p' "$root/VERSION")
  "$here/make-dist.sh" "$build" "$out" >/dev/null
  "$here/make-dist.sh" "$build" "$out" $((number + 1)) >/dev/null
  # Wine links the user's desktop to HOME when it builds a prefix: here a
  # folder of the build tree, so the desktop shortcut stays inside it.
  mkdir -p "$build/release-home"
  HOME="$build/release-home" "$here/wine-prefix.sh" "$prefix"
  "$here/wine-session.sh" "$prefix" "$0" "$build" --inside "$number"
  rc=$?
  echo "release-check: $([ $rc = 0 ] && echo passed || echo FAILED) in $(($(date +%s) - started)) s"
  exit $rc
fi

number=$3
version=$(sed -n 's/^QUILLET_VERSION *= *\([^ ]*\).*/\1/p' "$root/VERSION")
first="$version.$number"
later="$version.$((number + 1))"
out="$build/release-check"
user_dir=$(echo "$WINEPREFIX"/drive_c/users/*/AppData/Local | awk '{print $1}')
inst="$user_dir/Programs/Quillet"
menu=$(dirname "$user_dir")/Roaming/Microsoft/Windows/"Start Menu"/Programs
desk="$build/release-home"
uninst_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillet'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
failed=0
fail() { echo "release-check: FAIL: $*" >&2; failed=1; }
step() { echo "release-check: $*"; }
now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", b - a }'; }
reg_has() { wine reg query "$1" >/dev/null 2>&1; }
data_sums() { (cd "$inst" && sha256sum paramter.dat schedule.dat timer.dat); }
journey() {
  QUILLET_EXPECTED_VERSION=$first QUILLET_ARTIFACT_DIR="$build/screenshots" \
    "$here/wine-run.sh" "$WINEPREFIX" "$build/windows/release/release_journey_test.exe" \
    --gtest_brief=1 "$@"
}

# 1. Install.
t0=$(now)
wine "$out/Quillet-$first-setup.exe" /S /CONTROL || fail "setup $first ended with $?"
step "installed $first in $(seconds "$t0" "$(now)") s"
for f in quillet.exe Lantoc.dll Help.dat Code.dat Code-licences.txt Holiday.dat \
         reminder-chime.wav paramter.dat uninstall.exe; do
  [ -f "$inst/$f" ] || fail "$f not installed"
done
[ -f "$menu/Quillet.lnk" ] || fail "no Start-menu shortcut"
[ -f "$desk/Quillet.lnk" ] || fail "no desktop shortcut"
reg_has 'HKCU\Software\Classes\Lantoc.Gleam\CLSID' || fail "control not registered for the user"
run_value() { wine reg query "$run_key" /v Quillet 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'; }
[ "$(run_value)" = "\"$(wine winepath -w "$inst/quillet.exe" 2>/dev/null | tr -d '\r')\"" ] ||
  fail "start at log-on: the Run value is '$(run_value)'"

# 2. The installed program.
journey || fail "the journey through the installed program"
[ -f "$inst/schedule.dat" ] && [ -f "$inst/timer.dat" ] || fail "no data files after the journey"

# 3. A later build over it.
before=$(data_sums)
echo "changed by hand" >> "$inst/Help.dat"
t0=$(now)
wine "$out/Quillet-$later-setup.exe" /S || fail "setup $later ended with $?"
step "upgraded to $later in $(seconds "$t0" "$(now)") s"
[ "$(data_sums)" = "$before" ] || fail "the upgrade changed the user's files"
cmp -s "$inst/Help.dat" "$root/data/Help.dat" || fail "the upgrade did not replace Help.dat"
wine reg query "$uninst_key" /v DisplayVersion 2>/dev/null | tr -d '\r' | grep -q "$later\$" ||
  fail "the Apps entry does not name $later"

# 4. Uninstall. The uninstaller copies itself away and returns at once:
# wait (30 s at most) until all of its work shows, then say what is missing.
wine "$inst/uninstall.exe" /S || fail "uninstall ended with $?"
left_files() { (cd "$inst" 2>/dev/null && ls -A | LC_ALL=C sort | tr '\n' ' '); }
for _ in $(seq 1 300); do
  [ "$(left_files)" = "paramter.dat schedule.dat timer.dat 备份 " ] && [ ! -e "$desk/Quillet.lnk" ] &&
    [ ! -e "$menu/Quillet.lnk" ] && ! reg_has "$uninst_key" && break
  sleep 0.1
done
left=$(left_files)
[ "$left" = "paramter.dat schedule.dat timer.dat 备份 " ] || fail "left in the program folder: $left"
[ "$(data_sums)" = "$before" ] || fail "the uninstaller changed the user's files"
[ ! -e "$menu/Quillet.lnk" ] || fail "Start-menu shortcut left"
[ ! -e "$desk/Quillet.lnk" ] || fail "desktop shortcut left"
! reg_has "$uninst_key" || fail "Apps entry left"
[ -z "$(run_value)" ] || fail "the Run value left: $(run_value)"
! reg_has 'HKCU\Software\Classes\Lantoc.Gleam' || fail "control registration left"
exit $failed
