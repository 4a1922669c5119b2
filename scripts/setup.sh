#!/usr/bin/env bash
# Installs the Debian packages the terminal needs (only those missing) and builds it.
# Usage: scripts/setup.sh [build-dir] [extra cmake arguments...]
# ORVANTA_PACKAGING=1 also installs what building and checking the Debian package
# needs; ORVANTA_INSTALL_ONLY=1 stops after installing.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build}
shift || true

PACKAGES=(
  g++ clang libclang-rt-14-dev cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libxlsxwriter-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core fonts-liberation poppler-utils locales
  python3 python3-openpyxl openssl
)
# scripts/package.sh (dpkg-shlibdeps, file) and the package's test in scripts/test.sh
# (lintian, the desktop entry's and metainfo's validators, xdotool to type into the
# unpacked terminal under Xvfb).
if [ "${ORVANTA_PACKAGING:-0}" = 1 ]; then
  PACKAGES+=(dpkg-dev file lintian desktop-file-utils appstream xdotool)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The cashiers' desktops run a Russian locale; the tests run under it too.
if ! locale -a 2>/dev/null | grep -qix 'ru_RU\.utf-\?8'; then
  echo "Generating the ru_RU.UTF-8 locale"
  SUDO=
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
  $SUDO localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
fi

if [ "${ORVANTA_INSTALL_ONLY:-0}" = 1 ]; then exit 0; fi

cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
# ORVANTA_BUILD_TARGET builds the targets it names (separated by blanks) instead of
# everything: the fuzz build, and the run command, which needs no tests.
# shellcheck disable=SC2086
cmake --build "$BUILD" -j"$(nproc)" ${ORVANTA_BUILD_TARGET:+--target $ORVANTA_BUILD_TARGET}
