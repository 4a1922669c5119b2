#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan) in build-fuzz and runs each
# on its seed corpus for a while, then prints what each run did.
# Usage: scripts/fuzz.sh [seconds per target, default 600] [target...]
# New inputs go to build-fuzz/corpus/<target>; the seeds in tests/fuzz/corpus
# stay as committed. A crash stops the run and leaves its input in
# build-fuzz/artifacts/. ORVANTA_FUZZ_JOBS targets run side by side (default 1).
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${ORVANTA_FUZZ_BUILD:-$ROOT/build-fuzz}
SECONDS_EACH=${1:-600}
shift || true
TARGETS=("$@")
if ((${#TARGETS[@]} == 0)); then
  TARGETS=(link dayfile ini certificate fieldline entry)
fi
JOBS=${ORVANTA_FUZZ_JOBS:-1}

ORVANTA_BUILD_TARGET=fuzz_targets "$ROOT/scripts/setup.sh" "$BUILD" \
  -DCMAKE_CXX_COMPILER=clang++ -DORVANTA_FUZZ=ON -DORVANTA_BUILD_TESTS=OFF -DORVANTA_BUILD_BENCH=OFF

mkdir -p "$BUILD/artifacts" "$BUILD/logs"
run() {
  local t=$1
  local dict=()
  if [ -f "$ROOT/tests/fuzz/$t.dict" ]; then dict=(-dict="$ROOT/tests/fuzz/$t.dict"); fi
  mkdir -p "$BUILD/corpus/$t"
  QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$BUILD/tests/fuzz/fuzz_$t" -max_total_time="$SECONDS_EACH" -timeout=20 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$BUILD/artifacts/$t-" "${dict[@]}" \
    "$BUILD/corpus/$t" "$ROOT/tests/fuzz/corpus/$t" >"$BUILD/logs/$t.log" 2>&1
}

failed=()
pids=()
names=()
for t in "${TARGETS[@]}"; do
  echo "fuzzing $t for ${SECONDS_EACH}s"
  run "$t" &
  pids+=($!)
  names+=("$t")
  if ((${#pids[@]} >= JOBS)); then
    wait "${pids[0]}" || failed+=("${names[0]}")
    pids=("${pids[@]:1}")
    names=("${names[@]:1}")
  fi
done
for i in "${!pids[@]}"; do
  wait "${pids[$i]}" || failed+=("${names[$i]}")
done

printf '%-12s %12s %8s %8s %8s %s\n' target executions exec/s cov ft corpus
for t in "${TARGETS[@]}"; do
  log="$BUILD/logs/$t.log"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  last=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
  corp=$(sed -n 's/.* corp: \([0-9]*\/[0-9a-zA-Z]*\).*/\1/p' <<<"$last")
  printf '%-12s %12s %8s %8s %8s %s\n' "$t" "${runs:-?}" "${speed:-?}" "${cov:-?}" "${ft:-?}" "${corp:-?}"
done
if ((${#failed[@]})); then
  for t in "${failed[@]}"; do
    echo "fuzz target $t failed; the end of its log ($BUILD/logs/$t.log):"
    tail -40 "$BUILD/logs/$t.log"
  done
  exit 1
fi
echo "Fuzzing found nothing."
