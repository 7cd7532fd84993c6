#!/usr/bin/env bash
# Installs what is missing, builds the optimised program and packs it into a
# Debian package, build/package/morvane_<version>_<arch>.deb by default; the
# one argument names another build folder. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/quiet.sh

build_dir=${1:-build/package}
scripts/deps.sh build

# Debian's hardening flags, as its own packages are built with; the build type
# chooses the optimisation and the package is stripped, so -g and -O2 go.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP="-g -O2"
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

rm -f "$build_dir"/morvane_*.deb
quiet cmake -S . -B "$build_dir" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DMORVANE_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
quiet cmake --build "$build_dir" -j 2 --target package
ls "$build_dir"/morvane_*.deb
