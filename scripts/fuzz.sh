#!/usr/bin/env bash
# Builds the libFuzzer harnesses of tests/fuzz with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer (in build-fuzz/, or QUABE_FUZZ_BUILD_DIR) and runs
# each one for SECONDS (default 60) on a working corpus seeded from
# tests/fuzz/corpus/NAME. Prints the runs, speed and coverage of every
# harness; exits 1 when one finds a crash, a leak, a hang or a broken
# invariant (the input is kept in build-fuzz/findings/, the log beside it).
# The harnesses read the generated resources of the normal build
# (build/resources, or QUABE_RESOURCE_DIR).
#   scripts/fuzz.sh [SECONDS] [HARNESS...]
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-60}
shift || true
BUILD_DIR=${QUABE_FUZZ_BUILD_DIR:-build-fuzz}
export QUABE_RESOURCE_DIR=${QUABE_RESOURCE_DIR:-$PWD/${QUABE_BUILD_DIR:-build}/resources}
if [ ! -f "$QUABE_RESOURCE_DIR/swdic.db" ] || [ ! -f "$QUABE_RESOURCE_DIR/iswa2010bin" ]; then
  echo "fuzz: no generated resources in $QUABE_RESOURCE_DIR; build the project first" >&2
  exit 1
fi
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUABE_FUZZ=ON \
    -DQUABE_FONT_DIR="$PWD/.cache/fonts" >/dev/null
fi
cmake --build "$BUILD_DIR" --target quabe_fuzzers -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p "$BUILD_DIR/findings"
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for harness in "$BUILD_DIR"/fuzz/fuzz_*; do names+=("$(basename "$harness" | sed 's/^fuzz_//')"); done
fi
status=0
for name in "${names[@]}"; do
  work="$BUILD_DIR/corpus/$name"
  log="$BUILD_DIR/findings/$name.log"
  mkdir -p "$work"
  if "$BUILD_DIR/fuzz/fuzz_$name" -max_total_time="$SECONDS_EACH" -timeout=20 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$BUILD_DIR/findings/$name-" "$work" "tests/fuzz/corpus/$name" \
    >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    # The figures are for the report only: a log without them is no failure.
    reached=$(sed -n -E 's/^#[0-9]+[[:space:]]+DONE.*(cov: [0-9]+ ft: [0-9]+ corp: [0-9]+).*/\1/p' "$log" | tail -1)
    echo "fuzz: $name: ${runs:-?} runs in ${SECONDS_EACH} s (${speed:-?}/s), ${reached:-no coverage line}, nothing found"
  else
    echo "fuzz: $name: FOUND A FAULT (log: $log)"
    grep -E "ERROR|SUMMARY|check failed|Test unit written" "$log" | head -20 || true
    status=1
  fi
done
exit $status
