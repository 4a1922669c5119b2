#!/usr/bin/env bash
# Sets up and builds the terminal, then runs the whole test suite twice: a normal
# build, and a build with AddressSanitizer and UndefinedBehaviorSanitizer; then
# each fuzz target for a short while on its seed corpus (a third build, clang);
# and the Debian package, built, unpacked and paid with (tests/package).
# ORVANTA_SKIP_SANITIZE=1 skips the second run, ORVANTA_SKIP_FUZZ=1 the fuzzing,
# ORVANTA_SKIP_PACKAGE=1 the package;
# ORVANTA_FUZZ_SECONDS sets the time per target (default 20).
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
JOBS=$(nproc)

# Also what the package test needs (lintian, xdotool...).
ORVANTA_PACKAGING=1 "$ROOT/scripts/setup.sh" "$ROOT/build"
ctest --test-dir "$ROOT/build" --output-on-failure -j"$JOBS"
if [ "${ORVANTA_SKIP_PACKAGE:-0}" != 1 ]; then
  "$ROOT/tests/package/package_test.sh"
fi

if [ "${ORVANTA_SKIP_SANITIZE:-0}" != 1 ]; then
  "$ROOT/scripts/setup.sh" "$ROOT/build-asan" -DORVANTA_SANITIZE=ON -DORVANTA_BUILD_BENCH=OFF
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$ROOT/build-asan" --output-on-failure -j"$JOBS"
fi
if [ "${ORVANTA_SKIP_FUZZ:-0}" != 1 ]; then
  ORVANTA_FUZZ_JOBS=${ORVANTA_FUZZ_JOBS:-$JOBS} "$ROOT/scripts/fuzz.sh" "${ORVANTA_FUZZ_SECONDS:-20}"
fi
echo "All tests passed."
