#!/usr/bin/env bash
# Installs the Debian packages the terminal needs (only those missing) and builds it.
# Usage: scripts/setup.sh [build-dir] [extra cmake arguments...]
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

cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
# ORVANTA_BUILD_TARGET builds one target instead of everything (the fuzz build).
cmake --build "$BUILD" -j"$(nproc)" ${ORVANTA_BUILD_TARGET:+--target "$ORVANTA_BUILD_TARGET"}
