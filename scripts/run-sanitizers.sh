#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in a
# build directory of its own (build-sanitize/, or QUABE_SANITIZE_BUILD_DIR)
# and runs the whole test suite offscreen. Any report fails the run. Extra
# arguments go to ctest (for example -R test_document).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${QUABE_SANITIZE_BUILD_DIR:-build-sanitize}
scripts/fetch-fonts.sh
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUABE_SANITIZE=ON \
    -DQUABE_FONT_DIR="$PWD/.cache/fonts"
fi
supp="$PWD/scripts/sanitizers"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1:strict_init_order=1"
export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$supp/ubsan.supp"
# The build runs the resource tools (archive builder, quabe-cli) instrumented too;
# what they leave allocated at exit is no finding.
ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0" cmake --build "$BUILD_DIR" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$(nproc)" "$@"
