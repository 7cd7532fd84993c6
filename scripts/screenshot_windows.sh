#!/usr/bin/env bash
# Takes a screenshot of the Windows program under wine, on a private virtual X
# server, with xwd and imagemagick's convert: by default the 64-bit program at
# 96 dpi into docs/screenshot-windows.png. Builds the program when missing.
#
# Usage: scripts/screenshot_windows.sh [MORVANE_EXE [DPI [WINDOWS_VERSION [PNG]]]]
#   e.g. scripts/screenshot_windows.sh build/windows/ui/win32/morvane.exe 144 win7 \
#          docs/screenshot-windows-144dpi.png
# A 32-bit program runs in a 32-bit prefix.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh screenshot
morvane=${1:-build/windows/ui/win32/morvane.exe}
dpi=${2:-96}
export MORVANE_WINE_VERSION=${3:-}
export png=${4:-docs/screenshot-windows.png}
if [[ ! -f "$morvane" ]]; then
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target morvane >/dev/null
fi
if x86_64-w64-mingw32-objdump -f "$morvane" | grep -q 'pei-i386'; then
  export MORVANE_WINE_ARCH=win32
fi
[[ $dpi == 96 ]] || export MORVANE_WINE_DPI=$dpi
mkdir -p docs

# A prefix of its own for each set-up: its wineserver ends with the X server
# it was started on.
export MORVANE_WINE_DIR=$PWD/build/wine-screenshot-${MORVANE_WINE_ARCH:-win64}-$dpi-dpi${MORVANE_WINE_VERSION:+-$MORVANE_WINE_VERSION}
shoot() {
  source scripts/wine_env.sh
  wine "$morvane" &
  xdotool windowactivate --sync "$(xdotool search --sync --onlyvisible --name '^Morvane$')"
  sleep 1
  # The whole screen, like docs/screenshot.png; message boxes would need
  # xwd -id, as the root window shows them black.
  xwd -root -silent | convert xwd:- "$png"
  wineserver -k
}
export -f shoot
export morvane
scripts/with_xvfb.sh --size "$((440 * dpi / 96))x$((330 * dpi / 96))" bash -c shoot
