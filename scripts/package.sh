#!/usr/bin/env bash
# Builds the Debian package of the terminal with CPack:
# build-package/orvanta_<version>_amd64.deb. Install it at a payment point with
#   apt-get install ./build-package/orvanta_*.deb
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$ROOT/build-package

ORVANTA_PACKAGING=1 ORVANTA_INSTALL_ONLY=1 "$ROOT/scripts/setup.sh"
# Built as Debian builds its own packages: with its hardening flags, and without the
# tests and benchmarks, which the package does not hold. The flags are read at the
# first configure of the build directory.
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
  LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
  export CXXFLAGS LDFLAGS
fi
ORVANTA_PACKAGING=1 "$ROOT/scripts/setup.sh" "$BUILD" -DORVANTA_BUILD_TESTS=OFF -DORVANTA_BUILD_BENCH=OFF

rm -f "$BUILD"/orvanta_*.deb
(cd "$BUILD" && cpack -G DEB)
echo "Package: $(ls "$BUILD"/orvanta_*.deb)"
