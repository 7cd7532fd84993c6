#!/usr/bin/env bash
# Takes a screenshot of the Windows program under wine, on a private virtual X
# server, into docs/screenshot-windows.png with xwd and imagemagick's convert.
# Uses the windows build; builds it when missing.
#
# Usage: scripts/screenshot_windows.sh [MORVANE_EXE]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh screenshot
morvane=${1:-build/windows/ui/win32/morvane.exe}
if [[ ! -f "$morvane" ]]; then
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target morvane >/dev/null
fi
mkdir -p docs

# The wine prefix of the window's end-to-end test: its wineserver ends with
# the X server it was started on.
export MORVANE_WINE_DIR=$PWD/build/wine-window
shoot() {
  source scripts/wine_env.sh
  wine "$morvane" &
  xdotool windowactivate --sync "$(xdotool search --sync --onlyvisible --name '^Morvane$')"
  sleep 1
  # The whole screen, like docs/screenshot.png; message boxes would need
  # xwd -id, as the root window shows them black.
  xwd -root -silent | convert xwd:- docs/screenshot-windows.png
  wineserver -k
}
export -f shoot
export morvane
scripts/with_xvfb.sh --size 440x330 bash -c shoot
