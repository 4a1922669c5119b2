#!/usr/bin/env bash
# Sets up and builds the terminal, lays out its directory (the program with img/
# beside it) and starts it against the bundled payment-server simulator.
# Without a display it runs under Xvfb for a while and saves screenshots.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$ROOT/build
# Only what runs here: the terminal (its icons come along), the simulator and the
# screenshot tool; the tests and benchmarks are built by scripts/test.sh.
ORVANTA_BUILD_TARGET="orvanta orvanta-sim orvanta-screenshot" "$ROOT/scripts/setup.sh" "$BUILD"

TERMINAL_DIR=$BUILD/terminal        # the program keeps its files beside itself
SIM=$BUILD/sim/orvanta-sim
SIM_PORT=${ORVANTA_SIM_PORT:-5000}
SHOTS=$BUILD/screenshots
RUN_SECONDS=${ORVANTA_RUN_SECONDS:-20}

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT

if [ -x "$SIM" ]; then
  "$SIM" --port "$SIM_PORT" &
  pids+=($!)
  sleep 1
  if [ "$SIM_PORT" != 5000 ] && [ ! -f "$TERMINAL_DIR/ip.ini" ]; then
    printf '[options]\r\nip=127.0.0.1\r\nipport=%s\r\n' "$SIM_PORT" >"$TERMINAL_DIR/ip.ini"
  fi
fi

if [ -n "${DISPLAY:-}" ]; then
  # With a screen: the cashier works until the main window is closed.
  "$TERMINAL_DIR/orvanta"
else
  mkdir -p "$SHOTS"
  echo "No display: running the terminal under Xvfb for ${RUN_SECONDS}s; screenshots go to $SHOTS"
  n=97
  while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
  export DISPLAY=:$n
  Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  sleep 1
  "$TERMINAL_DIR/orvanta" &
  pids+=($!)
  sleep 5
  "$BUILD/tools/screenshot/orvanta-screenshot" "$SHOTS/terminal-start.png"
  sleep $((RUN_SECONDS > 5 ? RUN_SECONDS - 5 : 0))
  "$BUILD/tools/screenshot/orvanta-screenshot" "$SHOTS/terminal.png"
  echo "Screenshots: $SHOTS/terminal-start.png $SHOTS/terminal.png"
fi
