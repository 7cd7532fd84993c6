#!/usr/bin/env bash
# Installs the Debian packages that are missing for building ("build") or for
# building and testing ("test"), for cross-building the Windows programs, the
# installer and testing them under wine ("windows"), for building and trying
# the Qt 5 packages for older desktops ("compat"), for comparing two builds
# ("reproduce"), for building the browser page and testing it in chromium
# ("web"), for building the benchmarks as 32-bit x86 ("bench-x86") or for
# taking the README's screenshots ("screenshot"); several sets may be named
# at once.
# Prints nothing when everything is present.
set -euo pipefail

# ccache keeps compiled objects for every clone on the machine.
# The windows' own Song face is a subset of fonts-noto-cjk's, made with fontTools.
build_packages=(
  cmake ninja-build ccache g++ pkg-config
  qt6-base-dev qt6-translations-l10n fonts-arphic-uming
  python3-fonttools fonts-noto-cjk
  libbenchmark-dev
  dpkg-dev file
)
test_packages=(
  "${build_packages[@]}"
  clang clang-format libclang-rt-14-dev libgtest-dev libgmock-dev
  xvfb xauth xdotool xclip openbox
  # The captions are checked with sans faces alone too; the Qt program is
  # tried on Wayland, under weston with and without XWayland.
  fonts-wqy-microhei weston xwayland qt6-wayland
  lintian desktop-file-utils appstream x11-utils devscripts
  libxml2-utils xxd
  # The portable code built as 32-bit x86, with GoogleTest from its sources,
  # and its tests run under qemu-i386 on any kernel.
  g++-multilib googletest qemu-user
)

# GoogleTest's sources are built with the programs; locales holds the Chinese
# locale that wine's code page comes from; the 32-bit wine is Debian 12
# i386's, in a root that debootstrap makes (tools/roots/roots.sh); the windows'
# end-to-end tests drive them on their own Xvfb; zip packs the portable
# download; xmllint reads the user guide.
windows_packages=(
  cmake ninja-build ccache
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest
  wine wine64 locales fonts-arphic-uming debootstrap python3-fonttools fonts-noto-cjk
  nsis icoutils zip unzip dpkg-dev
  xvfb openbox xdotool wmctrl x11-apps xclip libxml2-utils xxd
)

# The Qt 5 packages are built and tried in Debian 11 roots (debootstrap,
# bubblewrap), the arm64 program under qemu inside them; lintian checks them,
# and the installed programs are driven on Xvfb.
compat_packages=(
  debootstrap bubblewrap binutils lintian libxml2-utils xxd python3-fonttools fonts-noto-cjk
  xvfb openbox xdotool xclip x11-xserver-utils
)

# diffoscope says where two builds that should be identical differ.
reproduce_packages=(diffoscope-minimal binutils-multiarch xxd)

# The page is built with emscripten (its binaryen checks the WebAssembly, its
# node-acorn the scripts), carries the window's Song face (made from Noto
# Serif CJK with fontTools) and is tested in Debian's chromium, which
# playwright-core (from the npm registry, ui/web/tests/package-lock.json)
# drives.
web_packages=(cmake ninja-build emscripten python3 python3-fonttools fonts-noto-cjk chromium fonts-arphic-uming)

bench_x86_packages=(g++-multilib qemu-user libbenchmark-dev:i386)

screenshot_packages=("${test_packages[@]}" imagemagick x11-xserver-utils)

[[ $# -gt 0 ]] || set -- usage
wanted=()
for set_name in "$@"; do
  case "$set_name" in
    build) wanted+=("${build_packages[@]}") ;;
    test) wanted+=("${test_packages[@]}") ;;
    windows) wanted+=("${windows_packages[@]}") ;;
    compat) wanted+=("${compat_packages[@]}") ;;
    reproduce) wanted+=("${reproduce_packages[@]}") ;;
    web) wanted+=("${web_packages[@]}") ;;
    bench-x86) wanted+=("${bench_x86_packages[@]}") ;;
    screenshot) wanted+=("${screenshot_packages[@]}") ;;
    *) echo "usage: $0 build|test|windows|compat|reproduce|web|bench-x86|screenshot..." >&2; exit 2 ;;
  esac
done

missing_of() {
  local package status
  for package in "$@"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || echo "$package"
  done
}
# The page's tests drive chromium with the npm packages of their lock file,
# installed once and again whenever the lock file changes.
npm_packages() {
  local folder
  folder="$(dirname "$0")/../ui/web/tests"
  cmp -s "$folder/package-lock.json" "$folder/node_modules/.morvane-lock" && return
  npm ci --prefix "$folder" --no-audit --no-fund --loglevel=error >/dev/null
  cp "$folder/package-lock.json" "$folder/node_modules/.morvane-lock"
}

mapfile -t missing < <(missing_of "${wanted[@]}")
# Debian's npm only where there is no npm: a node that comes with its own
# npm would not take Debian's beside it.
if [[ " ${wanted[*]} " == *" chromium "* ]] && ! command -v npm >/dev/null; then
  missing+=(npm)
fi
if [[ ${#missing[@]} -eq 0 ]]; then
  [[ " ${wanted[*]} " != *" chromium "* ]] || npm_packages
  exit 0
fi

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
apt_get() {
  "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 "$@"
}
# The 32-bit packages come from the i386 architecture.
if [[ " ${missing[*]} " == *:i386* ]] &&
  ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi
# A mirror caught in the middle of a sync serves an index that does not match
# its release file: try again a few times before going on with what is known.
for try in 1 2 3; do
  errors=$(apt_get update -qq 2>&1 | grep '^E:' || true)
  [[ -z "$errors" ]] && break
  if [[ $try -eq 3 ]]; then
    echo "$errors" >&2
  else
    sleep $((try * 10))
  fi
done
echo "Installing: ${missing[*]}"
apt_get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
[[ " ${wanted[*]} " != *" chromium "* ]] || npm_packages
