#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the optimised
# build, the browser build in headless chromium, the sanitizer build, and
# the puzzle-loader fuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh

echo "== default build"
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default

echo "== web build and browser test (headless chromium)"
./scripts/web-test.sh

echo "== asan build (AddressSanitizer and UndefinedBehaviorSanitizer)"
cmake --preset asan >/dev/null
cmake --build --preset asan
# Mesa, X11 and SDL keep some memory until exit; tests/lsan.supp names only those libraries.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
  ctest --preset asan

if [ -x scripts/fuzz.sh ]; then
  echo "== fuzzing the puzzle loader"
  ./scripts/fuzz.sh "${FUZZ_SECONDS:-60}"
fi
