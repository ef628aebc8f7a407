#!/usr/bin/env bash
# Builds the fuzz targets (tests/fuzz/*_fuzz.cpp: clang's libFuzzer with
# AddressSanitizer and UBSan) in a build folder of their own, runs each for
# SECONDS from its seed corpus (tests/fuzz/corpus/NAME) and prints a table of
# executions per second and coverage. Any finding (crash, leak, undefined
# behaviour, broken invariant, time-out) fails the run; its input is kept in
# BUILD/findings for replay: BUILD/NAME_fuzz FILE.
# Usage: run-fuzz.sh BUILD SECONDS [JOBS]
set -euo pipefail
build=$1 seconds=$2 jobs=${3:-2}
tree=$(cd "$(dirname "$0")/.." && pwd)

cmake -S "$tree" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DQUILLET_FUZZ=ON \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
echo "fuzz targets: building in $build"
if ! cmake --build "$build" -j "$jobs" --target fuzz_targets -- --no-print-directory \
     >"$build/build.log" 2>&1; then
  tail -n 40 "$build/build.log"
  exit 1
fi

mkdir -p "$build/findings"
# The targets' scratch files, in memory where possible (saves flush to disk).
scratch=$(mktemp -d "$([ -d /dev/shm ] && echo /dev/shm || echo "$build")/quillet-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export TMPDIR="$scratch"
failed=()
printf '%-12s %9s %6s %9s  %s\n' target exec/s cov runs result
for source in "$tree"/tests/fuzz/*_fuzz.cpp; do
  name=$(basename "$source" _fuzz.cpp)
  # New inputs the runs find go to the build folder, never into the tree.
  found="$build/corpus/$name"
  mkdir -p "$found"
  log="$build/$name.log"
  result=ok
  if ! UBSAN_OPTIONS=print_stacktrace=1 "$build/${name}_fuzz" -max_total_time="$seconds" \
       -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
       -artifact_prefix="$build/findings/$name-" "$found" "$tree/tests/fuzz/corpus/$name" \
       >"$log" 2>&1; then
    result="FAILED, see $log"
    failed+=("$name")
  fi
  execs=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2 || true)
  printf '%-12s %9s %6s %9s  %s\n' "$name" "${execs:--}" "${cov:--}" "${runs:--}" "$result"
done
if ((${#failed[@]})); then
  for name in "${failed[@]}"; do
    echo "--- $name"
    grep -E -A 30 'ERROR|runtime error|invariant broken|deadly signal' "$build/$name.log" | head -n 40
  done
  exit 1
fi
