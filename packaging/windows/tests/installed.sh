#!/usr/bin/env bash
# Installs Morvane with its installer, silently, into a wine prefix of its
# own: a 32-bit Windows (MORVANE_WINE_ARCH win32, the default), or a 64-bit
# one that runs 32-bit programs too (wow64), whichever Windows
# MORVANE_WINE_VERSION names. Checks that the program installed is
# MORVANE_EXE, the 32-bit or the 64-bit one as the Windows is, in the
# Program Files of its own bits, and checks the user guide, the Start-menu
# shortcuts to both and the Add/Remove Programs entry, in the registry view
# of the Windows' own bits. Starts the program through the shortcut,
# converts a number and a list, and closes it through its exit confirmation;
# uninstalls it silently and checks that all of it is gone but the lists.
#
# Usage: installed.sh SETUP_EXE MORVANE_EXE VERSION   (inside tools/display/with_xvfb.sh)
set -euo pipefail

export MORVANE_WINE_ARCH=${MORVANE_WINE_ARCH:-win32}
setup=$1
program=$2
version=$3
repo=$(cd "$(dirname "$0")/../../.." && pwd)
# A new prefix of its own: installing changes it, and its wineserver and
# desktop are bound to this X server, so they end with the test.
export MORVANE_WINE_DIR=$repo/build/wine-installer-$MORVANE_WINE_ARCH-${MORVANE_WINE_VERSION:-default}
source "$(dirname "$0")/installer_steps.sh"
click_pause=0.2
type_delay=20
source "$repo/tools/display/xdotool_helpers.sh"
source "$(dirname "$0")/window_steps.sh"

wine "$setup" /S
check_installed "$program_files" "$program" "$version"
folder=$(unix_path "$program_files")
grep -q 'SIL OPEN FONT LICENSE' "$folder/font-license.txt" || fail "no font-license.txt"
"$repo/docs/guide/tests/check_guide.sh" "$folder/guide.html"
[[ -f "$folder/uninstall.exe" ]] || fail "no uninstall.exe"
size_kib=$(($(reg_value EstimatedSize)))
files_kib=$(($(cat "$folder"/* | wc -c) / 1024))
((size_kib >= files_kib && size_kib <= files_kib + 2)) ||
  fail "EstimatedSize is $size_kib KiB for $files_kib KiB of files"

# Started from its shortcut; start waits for the program to end. Closed by
# its close box.
lists=$WINEPREFIX/drive_c/lists
mkdir -p "$lists"
start_window wine start /wait /unix "$shortcut"
convert_one 7-111-12345-X 978-7-111-12345-3
convert_list "$lists" 'C:\lists'
wmctrl -i -c "$window"
xdotool windowactivate --sync "$(wait_for_window 操作提示)"
sleep 0.2
xdotool key y
wait_for_exit "$app_pid"
wait "$app_pid" || fail "the program ended with status $?"

uninstall "$program_files"
[[ -f "$lists/in.txt" && -f "$lists/out.txt" ]] || fail "uninstalling removed the user's lists"
