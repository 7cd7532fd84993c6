#!/usr/bin/env bash
# Installs what is missing, builds everything with the sanitizers and runs
# every test; builds the engine, the operations and the list files as 32-bit
# x86 and runs their tests under qemu-i386; builds the browser page and runs
# the engine's and the list rules' tests as WebAssembly under node and the
# page's in headless chromium; builds and tests the Qt 5
# packages for UOS, Kylin and LoongArch (packaging/qt5/test.sh); then
# cross-builds the 32- and the 64-bit Windows programs and the installer, and
# runs their tests under wine, the 32-bit ones under the 32-bit wine of an
# i386 root (tools/roots/roots.sh) and the installer's also under a 64-bit
# wine with its 32-bit half, in a root of its own; last, builds the 64-bit
# Windows program on a fresh clone by the README's commands. Arguments go to
# the presets' ctest runs. Needs no display.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/quiet.sh

scripts/deps.sh test windows compat web
# The Debian roots of the wines and of the Qt 5 packages are made (the
# first time, or when their recipe changes) while the Linux builds build:
# mostly downloads and unpacking. Whoever needs a root waits for it.
if [[ $(id -u) -eq 0 ]]; then
  (source tools/roots/roots.sh && all_roots) >/dev/null 2>&1 &
fi
quiet cmake --preset dev
quiet cmake --build --preset dev
status=0
ctest --preset dev "$@" || status=$?

# The portable code in the data model of 32-bit Windows (32-bit size_t,
# pointers and long), on any kernel.
quiet cmake --preset linux-x86
quiet cmake --build --preset linux-x86
ctest --preset linux-x86 "$@" || status=$?

# The browser page: the engine and the list rules as WebAssembly, tested
# under node, and the page in headless chromium.
quiet cmake --preset web
quiet cmake --build --preset web
ctest --preset web "$@" || status=$?

# The Qt 5 packages for UOS, Kylin and LoongArch, built and tried in Debian roots.
packaging/qt5/test.sh || status=$?

# The builds run the Windows test programs to list their tests: the wine
# prefixes must exist first, for creating one takes longer than listing may.
# The 32-bit one is the wine of an i386 root (made on the first run, a few
# minutes), which only root can make and enter.
quiet tools/wine/env.sh true
if [[ $(id -u) -eq 0 ]]; then
  MORVANE_WINE_ARCH=win32 quiet tools/wine/env.sh true
else
  echo "The 32-bit wine runs in an i386 root, which needs root: the 32-bit Windows tests are left out,"
  echo "and so are the installer's on 64 bits, whose wine runs in a root too."
fi
# The 64-bit build's installer carries the 32-bit program: that comes first.
for preset in windows-x86 windows; do
  quiet cmake --preset "$preset"
  quiet cmake --build --preset "$preset"
done
for preset in windows-x86 windows; do
  ctest --preset "$preset" "$@" || status=$?
done
tools/checks/fresh_clone_build.sh windows || status=$?
exit "$status"
