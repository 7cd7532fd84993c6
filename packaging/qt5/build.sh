#!/usr/bin/env bash
# Builds the Qt 5 program for the Linux desktops of Chinese offices and packs
# it into Debian packages: for UOS 20 and Kylin V10 (glibc 2.28 and Qt 5.11
# on) on x86-64 and arm64, build/compat/morvane_<version>~qt5_amd64.deb and
# _arm64.deb, built in a Debian 11 root, amd64 natively and arm64 with the
# cross compiler; and for the new-world LoongArch systems (glibc 2.38 and
# Qt 5.15 on), _loong64.deb, built with the cross compiler in a Debian forky
# root. The roots come from tools/roots/roots.sh, made on the first run. libstdc++
# and libgcc are linked in, so that the program needs only glibc, Qt 5 and the
# X libraries of the system. With --test, also runs the engine, operation,
# list-file and window tests of each build in its root, the arm64 and loong64
# ones under qemu. Prints the packages' paths. Needs root.
#
# Usage: packaging/qt5/build.sh [--test]
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/quiet.sh
source tools/roots/roots.sh

test=false
[[ "${1:-}" == --test ]] && test=true
[[ $(id -u) -eq 0 ]] || { echo "$0 builds in Debian roots: run it as root" >&2; exit 1; }
scripts/deps.sh compat
compat_roots
loong64_roots
# Each architecture's build root and toolchain. The loong64 tests run under
# Debian 13's qemu, bound into the root where the toolchain looks for it.
declare -A build_root=([amd64]=$compat_build [arm64]=$compat_build [loong64]=$loong64_build)
declare -A toolchain=([arm64]=cmake/aarch64-linux-gnu.cmake [loong64]=cmake/loongarch64-linux-gnu.cmake)
# Each root's compilers keep their ccache outside it, in the machine's cache.
in_build_root() {
  local root=${build_root[$arch]} qemu=() cache
  [[ $arch != loong64 ]] || qemu=(--ro-bind "$(root_qemu loong64)" /usr/local/bin/qemu-loongarch64)
  cache=$morvane_cache/ccache/$(basename "$root")
  mkdir -p "$cache"
  in_root "$root" --bind "$cache" /root/.cache/ccache "${qemu[@]}" "$@"
}

# Every time stamp in the packages is the last commit's, as in package.sh's.
source tools/source_date_epoch.sh
umask 022

out=build/compat
mkdir -p "$out"
rm -f "$out"/morvane_*.deb
# The window's Song face is made here, on the machine, which has the font
# tools and the font it is taken from; every build in the roots takes it.
ui/fonts/make_song_subset.py "$out/song"
# Debian's hardening flags for the architecture $arch, as package.sh uses them.
flags() {
  in_build_root env DEB_HOST_ARCH="$arch" DEB_BUILD_MAINT_OPTIONS=hardening=+all \
    DEB_CXXFLAGS_MAINT_STRIP="-g -O2" dpkg-buildflags --get "$1"
}
for arch in amd64 arm64 loong64; do
  dir=$out/$arch
  toolchain_file=()
  [[ -z ${toolchain[$arch]:-} ]] || toolchain_file=(-DCMAKE_TOOLCHAIN_FILE="$PWD/${toolchain[$arch]}")
  cxxflags="$(flags CPPFLAGS) $(flags CXXFLAGS)"
  ldflags="$(flags LDFLAGS) -static-libstdc++ -static-libgcc"
  # The tests are built alongside; only the package's files are installed.
  quiet in_build_root --setenv SOURCE_DATE_EPOCH "$SOURCE_DATE_EPOCH" \
    cmake -S . -B "$dir" -G Ninja "${toolchain_file[@]}" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DMORVANE_BENCH=OFF \
    -DMORVANE_SONG_PREBUILT="$PWD/$out/song" \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
  # dpkg-shlibdeps reads the arm64 program with the arm64 binutils and looks
  # its libraries up among the arm64 ones.
  quiet in_build_root --setenv SOURCE_DATE_EPOCH "$SOURCE_DATE_EPOCH" \
    --setenv DEB_HOST_ARCH "$arch" cmake --build "$dir" -j 2 --target all package
  mv "$dir"/morvane_*.deb "$out"/
done
ls "$out"/morvane_*.deb

if $test; then
  status=0
  for arch in amd64 arm64 loong64; do
    # The tests of the program's parts; the packaging tests, the format check
    # and the Xvfb test are the Qt 6 build's, and the packages are tried by
    # packaging/qt5/test.sh.
    in_build_root --setenv QT_QPA_PLATFORM offscreen env -C "$out/$arch" \
      ctest --output-on-failure -j 2 -E '^(clang_format|window_e2e|packaging\.)' || status=$?
  done
  exit "$status"
fi
