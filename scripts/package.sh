#!/usr/bin/env bash
# Installs what is missing, builds the optimised program and packs it into a
# Debian package, build/package/morvane_<version>_<arch>.deb by default; then
# cross-builds the 32- and the 64-bit Windows programs, the installer that
# carries both, build/windows/Morvane-<version>-setup.exe, the browser page,
# build/windows/Morvane-<version>.html, and the portable zip that carries them
# all, build/windows/Morvane-<version>-portable.zip. Prints the packages'
# paths.
#
# Usage: package.sh [--deb-only] [DEB_BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/quiet.sh

windows=true
if [[ "${1:-}" == --deb-only ]]; then
  windows=false
  shift
fi
build_dir=${1:-build/package}
scripts/deps.sh build
if $windows; then scripts/deps.sh windows web; fi

# The same source gives the same packages, byte for byte, wherever and
# whenever it is built (scripts/reproduce.sh checks this). Every time that
# ends up in a package is the time of the last commit, or without git the
# date of the newest changelog entry: the file times in the .deb and in the
# Qt program's resources. No file's mode follows the caller's umask.
source tools/source_date_epoch.sh
umask 022

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

if $windows; then
  rm -f build/windows/Morvane-*-setup.exe build/windows/Morvane-*-portable.zip \
    build/windows/Morvane-*.html
  # The page, which the portable zip carries too.
  quiet cmake --preset web
  quiet cmake --build --preset web -j 2 --target page
  # The installer and the portable zip carry the 32-bit program besides the
  # 64-bit one.
  quiet cmake --preset windows-x86
  quiet cmake --build --preset windows-x86 -j 2 --target morvane
  quiet cmake --preset windows
  quiet cmake --build --preset windows -j 2 --target installer portable
  version=$(sed -n 's/^project(morvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
  cp build/web/morvane.html "build/windows/Morvane-$version.html"
  ls build/windows/Morvane-*-setup.exe build/windows/Morvane-*.html build/windows/Morvane-*-portable.zip
fi
