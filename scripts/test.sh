#!/usr/bin/env bash
# Sets up and builds the terminal, then runs the whole test suite twice: a normal
# build, and a build with AddressSanitizer and UndefinedBehaviorSanitizer.
# ORVANTA_SKIP_SANITIZE=1 skips the second run.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
JOBS=$(nproc)

"$ROOT/scripts/setup.sh" "$ROOT/build"
ctest --test-dir "$ROOT/build" --output-on-failure -j"$JOBS"

if [ "${ORVANTA_SKIP_SANITIZE:-0}" != 1 ]; then
  "$ROOT/scripts/setup.sh" "$ROOT/build-asan" -DORVANTA_SANITIZE=ON -DORVANTA_BUILD_BENCH=OFF
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$ROOT/build-asan" --output-on-failure -j"$JOBS"
fi
echo "All tests passed."
