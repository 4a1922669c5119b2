#!/usr/bin/env bash
# Sets up and builds the terminal, lays out its directory (the program with img/
# beside it) and starts it against the bundled payment-server simulator.
# Without a display it runs under Xvfb for a while and saves screenshots.
# ORVANTA_TLS=1: the simulator speaks TLS with a throw-away certificate made here,
# and the terminal's ip.ini is set to trust it (tls=1, tlsca).
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
TLS=${ORVANTA_TLS:-0}
SIM_ARGS=(--port "$SIM_PORT")

# Sets KEY=VALUE in the [options] section of an ini file (made when missing), CR LF lines.
ini_set() {
  local file=$1 key=$2 value=$3
  [ -f "$file" ] || printf '[options]\r\n' >"$file"
  awk -v key="$key" -v value="$value" 'BEGIN { ORS = "\r\n" }
    { sub(/\r$/, "") }
    /^\[/ { if (inopt && !done) { print key "=" value; done = 1 }
            inopt = (tolower($0) == "[options]"); if (inopt) seen = 1 }
    inopt && tolower($0) ~ ("^[ \t]*" key "[ \t]*=") { if (!done) print key "=" value; done = 1; next }
    { print }
    END { if (!done) { if (!seen) print "[options]"; print key "=" value } }' "$file" >"$file.new"
  mv "$file.new" "$file"
}

if [ "$TLS" = 1 ]; then
  # A self-signed certificate for localhost and 127.0.0.1, trusted by this terminal only.
  TLS_DIR=$TERMINAL_DIR/tls
  mkdir -p "$TLS_DIR"
  if ! openssl x509 -checkend 86400 -noout -in "$TLS_DIR/sim.pem" >/dev/null 2>&1 || [ ! -f "$TLS_DIR/sim.key" ]; then
    openssl req -x509 -newkey rsa:2048 -nodes -days 30 -subj /CN=localhost \
      -addext subjectAltName=DNS:localhost,IP:127.0.0.1 \
      -keyout "$TLS_DIR/sim.key" -out "$TLS_DIR/sim.pem" >/dev/null 2>&1
  fi
  SIM_ARGS+=(--tls-cert "$TLS_DIR/sim.pem" --tls-key "$TLS_DIR/sim.key")
fi

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT

if [ -x "$SIM" ]; then
  "$SIM" "${SIM_ARGS[@]}" &
  pids+=($!)
  sleep 1
  if [ "$SIM_PORT" != 5000 ] && [ ! -f "$TERMINAL_DIR/ip.ini" ]; then
    printf '[options]\r\nip=127.0.0.1\r\nipport=%s\r\n' "$SIM_PORT" >"$TERMINAL_DIR/ip.ini"
  fi
  if [ "$TLS" = 1 ]; then
    ini_set "$TERMINAL_DIR/ip.ini" tls 1
    ini_set "$TERMINAL_DIR/ip.ini" tlsca tls/sim.pem
  elif grep -qi '^[[:space:]]*tls[[:space:]]*=[[:space:]]*1' "$TERMINAL_DIR/ip.ini" 2>/dev/null; then
    # The simulator speaks in clear this time; so must the terminal.
    echo "The simulator runs without TLS: tls=0 in $TERMINAL_DIR/ip.ini (ORVANTA_TLS=1 turns it on)"
    ini_set "$TERMINAL_DIR/ip.ini" tls 0
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
