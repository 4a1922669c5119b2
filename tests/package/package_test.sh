#!/usr/bin/env bash
# The Debian package as a payment point gets it. Builds it (scripts/package.sh),
# checks what it holds (dpkg-deb -c), unpacks it into a temporary root (dpkg-deb -x)
# and runs the unpacked terminal, as a user whose HOME is a temporary directory,
# under Xvfb against the unpacked simulator: it logs in, makes one payment by
# keyboard, and the day file must be in that home's data directory, with nothing
# written beside the unpacked program. Once under each locale the cashiers' desktops
# may run. lintian, desktop-file-validate and appstreamcli check the package when
# they are installed (scripts/setup.sh installs them with ORVANTA_PACKAGING=1).
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
APP_ID=example.orvanta.Terminal
TIMEOUT=${ORVANTA_PACKAGE_TEST_TIMEOUT:-60}

passed=0
failed=0
check() { # description, command...
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $what" >&2
  fi
}
# Polls a condition every 0.2 s for up to $TIMEOUT seconds.
wait_for() {
  local end=$((SECONDS + TIMEOUT))
  until "$@" 2>/dev/null; do
    if ((SECONDS >= end)); then return 1; fi
    sleep 0.2
  done
}

"$ROOT/scripts/package.sh"
shopt -s nullglob
debs=("$ROOT"/build-package/orvanta_*_amd64.deb)
shopt -u nullglob
if ((${#debs[@]} != 1)); then
  echo "expected one package in build-package/, found ${#debs[@]}" >&2
  exit 1
fi
DEB=${debs[0]}
echo "Checking $DEB"

WORK=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

# What the package holds.
dpkg-deb -c "$DEB" | awk '{print $NF}' | sed 's|^\./|/|' >"$WORK/contents"
holds() { grep -qxF "$1" "$WORK/contents"; }
for path in /usr/bin/orvanta /usr/bin/orvanta-sim \
  /usr/share/applications/$APP_ID.desktop /usr/share/metainfo/$APP_ID.metainfo.xml \
  /usr/share/icons/hicolor/48x48/apps/$APP_ID.png /usr/share/icons/hicolor/256x256/apps/$APP_ID.png \
  /usr/share/doc/orvanta/copyright /usr/share/doc/orvanta/changelog.gz \
  /usr/share/man/man1/orvanta.1.gz /usr/share/man/man1/orvanta-sim.1.gz; do
  check "the package holds $path" holds "$path"
done
for icon in "$ROOT"/img/*.ico; do
  check "the package holds the operator icon $(basename "$icon")" holds "/usr/share/orvanta/img/$(basename "$icon")"
done
# An upgrade replaces only the package's own files: none of them is where the
# terminal keeps a user's files.
check "everything the package holds is under /usr" \
  test -z "$(grep -v -e '^/$' -e '^/usr/' -e '^/usr$' "$WORK/contents")"
depends=$(dpkg-deb -f "$DEB" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libqt6network6 libqt6printsupport6 qt6-qpa-plugins; do
  check "the package depends on $lib" grep -q "$lib" <<<"$depends"
done

# Unpacked into a root of its own.
FS=$WORK/root
dpkg-deb -x "$DEB" "$FS"
(cd "$FS" && find . -printf '%p %s %T@\n' | sort) >"$WORK/before"
if command -v desktop-file-validate >/dev/null; then
  check "desktop-file-validate accepts the menu entry" \
    desktop-file-validate "$FS/usr/share/applications/$APP_ID.desktop"
fi
if command -v appstreamcli >/dev/null; then
  check "appstreamcli accepts the metainfo" \
    appstreamcli validate --no-net "$FS/usr/share/metainfo/$APP_ID.metainfo.xml"
fi

# One X server for the runs; it picks a free display itself.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
pids+=($!)
wait_for test -s "$WORK/display"
export DISPLAY=:$(head -n1 "$WORK/display")
wait_for xdotool getmouselocation >/dev/null

# The visible window whose title matches.
window() { xdotool search --onlyvisible --name "$1" | head -n1; }
has_window() { [ -n "$(window "$1")" ]; }
# A step of the run that the rest needs: on failure, what was on the screen and the
# programs' output, and the run ends.
step() { # description, command...
  local what=$1
  shift
  if ! "$@"; then
    echo "FAILED: $what" >&2
    echo "windows shown:" >&2
    for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
      echo "  $(xdotool getwindowname "$w" 2>/dev/null)" >&2
    done
    tail -n 40 "$WORK"/sim-*.log "$WORK"/orvanta-*.log >&2 || true
    echo "package: $passed passed, $((failed + 1)) failed"
    exit 1
  fi
}
focus() { # title pattern
  step "a window titled $1 shows" wait_for has_window "$1"
  xdotool windowfocus --sync "$(window "$1")"
}

pay_once() { # locale
  local locale=$1 home=$WORK/home-$1
  local data=$home/.local/share/Orvanta
  echo "Paying with the unpacked terminal under LC_ALL=$locale"
  mkdir -p "$home" "$WORK/cwd-$locale" "$WORK/runtime-$locale"
  chmod 700 "$WORK/runtime-$locale"

  "$FS/usr/bin/orvanta-sim" --port 0 >"$WORK/sim-$locale.log" 2>&1 &
  local sim=$!
  pids+=($sim)
  step "the simulator starts" wait_for grep -q 'listening on' "$WORK/sim-$locale.log"
  local port
  port=$(sed -n 's/.*listening on *127\.0\.0\.1:\([0-9]*\).*/\1/p' "$WORK/sim-$locale.log")
  # The test's own simulator port: written where an installed terminal reads ip.ini.
  mkdir -p "$data"
  printf '[options]\r\nip=127.0.0.1\r\nipport=%s\r\n' "$port" >"$data/ip.ini"

  (cd "$WORK/cwd-$locale" && exec env -i PATH=/usr/bin:/bin HOME="$home" DISPLAY="$DISPLAY" \
    XDG_RUNTIME_DIR="$WORK/runtime-$locale" LC_ALL="$locale" QT_QPA_PLATFORM=xcb "$FS/usr/bin/orvanta" >"$WORK/orvanta-$locale.log" 2>&1) &
  local terminal=$!
  pids+=($terminal)

  # The simulator greets, the login window opens: 101 / kassa2026.
  focus '^Авторизация$'
  xdotool type --delay 30 101
  xdotool key Tab
  xdotool type --delay 30 kassa2026
  xdotool key Return
  step "the login is accepted" wait_for grep -q -- '-> p' "$WORK/sim-$locale.log"
  # The first login of a shift asks the cash in the drawer ("Размен в кассе на начало смены").
  focus '^Смена$'
  xdotool key ctrl+a
  xdotool type --delay 30 500
  xdotool key Return
  check "[$locale] the opening float is in the drawer's record in the user's data directory" \
    wait_for test -s "$data/101/kassa.rec"

  # The first category's first operator (Alt+0): seven digits after the prefix 90,
  # then the sum, then "ОПЛАТИТЬ".
  # The buttons are laid out once the terminal has handled the acceptance, which
  # the simulator's log cannot tell: Alt+0 again until the payment window opens.
  focus '^Orvanta версия'
  open_operator() {
    local w
    w=$(window '^Orvanta версия') && xdotool windowfocus --sync "$w" && xdotool key alt+0 &&
      timeout 2 sh -c 'until xdotool search --onlyvisible --name "^ПЛАТЕЖИ->" >/dev/null; do sleep 0.2; done'
  }
  step "Alt+0 opens the payment window" wait_for open_operator
  focus '^ПЛАТЕЖИ->'
  xdotool type --delay 30 1234567
  xdotool key Return
  xdotool type --delay 30 100
  xdotool key Return
  xdotool key Return

  day_file() { grep -lq 901234567 "$data"/101/*.dat; }
  check "[$locale] the payment is in a day file in the user's data directory" wait_for day_file
  check "[$locale] the simulator received the payment" wait_for grep -q '901234567' "$WORK/sim-$locale.log"
  for f in operator.ini 101cert.key; do
    check "[$locale] $f is in the user's data directory" test -f "$data/$f"
  done
  ls -R "$data" | sed 's/^/    /'

  kill "$terminal" "$sim" 2>/dev/null || true
  wait "$terminal" "$sim" 2>/dev/null || true
  (cd "$FS" && find . -printf '%p %s %T@\n' | sort) >"$WORK/after"
  check "[$locale] nothing was written beside the unpacked program" diff "$WORK/before" "$WORK/after"
  check "[$locale] nothing was written in the working directory" \
    test -z "$(ls -A "$WORK/cwd-$locale")"
}

for locale in C.UTF-8 ru_RU.UTF-8; do
  pay_once "$locale"
done

if command -v lintian >/dev/null; then
  echo "lintian $DEB"
  check "lintian finds no error" lintian --fail-on error "$DEB"
else
  echo "lintian is not installed: not run"
fi

echo "package: $passed passed, $failed failed"
((failed == 0))
