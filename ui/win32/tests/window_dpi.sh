#!/usr/bin/env bash
# Starts the real morvane.exe under wine on a screen of DPI dots per inch and
# checks with layout_probe.exe that the client area and every control sit at
# their 96-dpi places scaled to it; then closes the program.
#
# Usage: window_dpi.sh MORVANE_EXE LAYOUT_PROBE_EXE DPI   (inside tools/display/with_xvfb.sh)
set -euo pipefail

morvane=$1
probe=$2
export MORVANE_WINE_DPI=$3
repo=$(cd "$(dirname "$0")/../../.." && pwd)
# A prefix of its own, as the resolution is the prefix's.
source "$repo/tools/wine/test_prefix.sh" "window-$MORVANE_WINE_DPI-dpi"
source "$repo/tools/display/xdotool_helpers.sh"

wine "$morvane" &
app_pid=$!
window=$(wait_for_window Morvane)
wine "$probe" "$MORVANE_WINE_DPI" | tr -d '\r' || fail "the window is not laid out for $MORVANE_WINE_DPI dpi"

xdotool windowactivate --sync "$window"
xdotool key alt+x
xdotool windowactivate --sync "$(wait_for_window 操作提示)"
xdotool key y
wait_for_exit "$app_pid"
echo "win32_window_dpi: 1 passed, 0 failed"
