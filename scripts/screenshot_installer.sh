#!/usr/bin/env bash
# Takes screenshots of the Windows installer's pages as a user sees them, in
# Chinese, on a private virtual X server: the interactive install in a
# 64-bit prefix that runs 32-bit programs too (a 64-bit Windows 10), the
# message while Morvane runs, from the installer and from the uninstaller,
# and the uninstaller's first page. Each goes into FOLDER
# (build/screenshots-installer by default) as a PNG, numbered in the order
# taken; the installer's message also into docs/guide/installer-running.png,
# the user guide's picture. Needs root: the prefix's wine runs in a Debian
# root.
# Builds the installer when missing.
#
# Usage: scripts/screenshot_installer.sh [FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh screenshot
export shots=$PWD/${1:-build/screenshots-installer}
export setup
setup=$(ls build/windows/Morvane-*-setup.exe 2>/dev/null | head -n1) || true
if [[ -z $setup ]]; then
  cmake --preset windows-x86 >/dev/null
  cmake --build --preset windows-x86 --target morvane >/dev/null
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target installer >/dev/null
  setup=$(ls build/windows/Morvane-*-setup.exe | head -n1)
fi
mkdir -p "$shots"
rm -f "$shots"/*.png

export MORVANE_WINE_ARCH=wow64 MORVANE_WINE_VERSION=win10
export MORVANE_WINE_DIR=$PWD/build/wine-screenshot-installer
rm -rf "$MORVANE_WINE_DIR"

shoot_all() {
  set -euo pipefail
  source tools/wine/env.sh
  source tools/display/xdotool_helpers.sh
  trap 'wineserver -k 2>/dev/null || true' EXIT
  local number=0
  # The window titled $1 (a pattern) in its frame, as the screen shows it,
  # into the next PNG, named $2. The frame is the window's topmost ancestor
  # below the root window.
  shoot() {
    local id root parent info
    id=$(wait_for_window "$1")
    xdotool windowactivate --sync "$id"
    sleep 1
    root=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
    while parent=$(xwininfo -tree -id "$id" | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p') &&
      [[ -n $parent && $parent != "$root" ]]; do
      id=$parent
    done
    info=$(xwininfo -id "$id")
    field() { sed -n "s/^ *$1: *//p" <<<"$info"; }
    number=$((number + 1))
    xwd -root -silent | convert xwd:- -crop "$(field Width)x$(field Height)+$(field 'Absolute upper-left X')+$(field 'Absolute upper-left Y')" \
      +repage "$shots/$number-$2.png"
  }
  local folder=$WINEPREFIX/drive_c/Program\ Files/Morvane
  wine "$setup" &
  local setup_pid=$!
  shoot 'Morvane 安装 ?' directory
  xdotool key Return
  sleep 3
  shoot 'Morvane 安装 ?' finish
  # Finish, with "run Morvane" ticked, starts the program.
  xdotool key Return
  wait "$setup_pid"
  window=$(wait_for_window Morvane)
  wine "$setup" &
  setup_pid=$!
  shoot 'Morvane 安装 ?' running
  xdotool key Escape
  wait "$setup_pid" || true
  wine "$folder/uninstall.exe" &
  shoot 'Morvane 卸载 ?' uninstall-running
  xdotool key Escape
  sleep 1
  xdotool windowactivate --sync "$window"
  xdotool key alt+x
  xdotool windowactivate --sync "$(wait_for_window 操作提示)"
  sleep 0.2
  xdotool key y
  sleep 1
  wine "$folder/uninstall.exe" &
  shoot 'Morvane 卸载 ?' uninstall
  xdotool key Escape
  sleep 1
}
export -f shoot_all
tools/display/with_xvfb.sh --size 800x600 bash -c shoot_all
ls "$shots"/*.png
cp "$shots"/3-running.png docs/guide/installer-running.png
