#!/usr/bin/env bash
# Installs the Debian packages that are missing for building ("build") or for
# building and testing ("test"), or for taking the README's screenshot
# ("screenshot"). Prints nothing when everything is present.
set -euo pipefail

build_packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-translations-l10n fonts-arphic-uming
  libbenchmark-dev
  dpkg-dev file
)
test_packages=(
  "${build_packages[@]}"
  clang clang-format libclang-rt-14-dev libgtest-dev libgmock-dev
  xvfb xauth xdotool xclip openbox
  lintian desktop-file-utils appstream x11-utils
)

screenshot_packages=("${test_packages[@]}" imagemagick)

case "${1:-}" in
  build) wanted=("${build_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  screenshot) wanted=("${screenshot_packages[@]}") ;;
  *) echo "usage: $0 build|test|screenshot" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
