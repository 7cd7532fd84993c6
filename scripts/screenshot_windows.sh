#!/usr/bin/env bash
# Takes a screenshot of the Windows program under wine, on a private virtual X
# server, with xwd and imagemagick's convert: by default the 64-bit program at
# 96 dpi into docs/screenshot-windows.png, and then the user guide's pictures
# into docs/guide/: the window after converting a number and a list, and the
# message that ends the list's run. Builds the program when missing.
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
  source tools/wine/env.sh
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
tools/display/with_xvfb.sh --size "$((440 * dpi / 96))x$((330 * dpi / 96))" bash -c shoot
[[ $# -eq 0 ]] || exit 0

# The window manager's frame around the window $1: its topmost ancestor
# below the root window.
frame_of() {
  local id=$1 parent root
  root=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
  while parent=$(xwininfo -tree -id "$id" | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p') &&
    [[ -n $parent && $parent != "$root" ]]; do
    id=$parent
  done
  echo "$id"
}
# The top left corner of the window $1 on the screen: "X Y".
corner() { xwininfo -id "$1" | sed -n 's/.*Absolute upper-left [XY]: *//p' | paste -sd ' '; }
# The window $1 in its frame, into the PNG $2. A message box reads black
# through its frame, as through the root window: it is taken by itself and
# laid over the frame's picture where it stands in it.
shoot_window() {
  local frame frame_x frame_y x y
  frame=$(frame_of "$1")
  read -r frame_x frame_y <<<"$(corner "$frame")"
  read -r x y <<<"$(corner "$1")"
  xwd -silent -id "$frame" | convert xwd:- "$2"
  xwd -silent -id "$1" | convert "$2" xwd:- -geometry "+$((x - frame_x))+$((y - frame_y))" -composite "$2"
}
# The guide's pictures, each of one window with its frame, as a user sees it
# on the desktop. The list files lie in C:\ISBN, whose paths the boxes show.
shoot_guide() {
  source tools/wine/env.sh
  source tools/display/xdotool_helpers.sh
  local lists=$WINEPREFIX/drive_c/ISBN
  rm -rf "$lists"
  mkdir -p "$lists"
  printf '9787111123457\r\n7-111-12345-X\r\n9789571234567\r\n12345\r\n0-306-40615-2\r\n' >"$lists/list.txt"
  wine "$morvane" &
  window=$(wait_for_window Morvane)
  xdotool windowactivate --sync "$window"
  sleep 0.5
  click 4 20 269 21 # Text1
  type_text 'C:\ISBN\list.txt'
  click 4 44 269 21 # Text2
  type_text 'C:\ISBN\result.txt'
  click 28 144 197 25 # Text3
  type_text '7-111-12345-X'
  click 240 144 81 57 # Command5
  xdotool key alt+s
  local message
  message=$(wait_for_window 温馨提示)
  xdotool windowactivate --sync "$message"
  sleep 0.5
  shoot_window "$message" docs/guide/done.png
  xdotool key Return
  wait_until_gone 温馨提示
  xdotool windowactivate --sync "$window"
  sleep 0.5
  shoot_window "$window" docs/guide/window.png
  wineserver -k
}
export -f shoot_guide shoot_window corner frame_of
mkdir -p docs/guide
MORVANE_WINE_DIR=$PWD/build/wine-screenshot-guide tools/display/with_xvfb.sh --size 640x480 bash -c shoot_guide
