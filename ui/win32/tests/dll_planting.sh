#!/usr/bin/env bash
# Plants DLLs under names of DLLs of Windows beside a copy of morvane.exe and
# in the folder it is started from, tells wine to prefer such DLLs to its own,
# then opens the window and a file chooser and quits. A planted DLL leaves a
# marker when it is loaded; there must be none.
#
# Usage: dll_planting.sh MORVANE_EXE PLANTED_DLL NAME...
#   (run it inside tools/display/with_xvfb.sh; NAME without .dll, e.g. uxtheme)
set -euo pipefail

morvane=$1
planted=$2
shift 2
names=("$@")
if [[ ${#names[@]} -eq 0 ]]; then
  echo "usage: $0 MORVANE_EXE PLANTED_DLL NAME..." >&2
  exit 2
fi
repo=$(cd "$(dirname "$0")/../../.." && pwd)
source "$repo/tools/wine/test_prefix.sh" planting
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$(IFS=,; echo "${names[*]}")=n,b"

click_pause=0.3
source "$repo/tools/display/xdotool_helpers.sh"

# The planted DLLs that were loaded, as FOLDER/NAME.dll.
loaded() { (cd "$work" && ls -- */*.loaded 2>/dev/null | sed 's/\.loaded$//' | tr '\n' ' ') || true; }
# A failure names the planted DLLs loaded until then: one that lacks what the
# program needs of the real DLL may keep the window from coming at all.
fail() {
  echo "FAIL: $*" >&2
  [[ -z "$(loaded)" ]] || echo "FAIL: the program loaded the planted $(loaded)" >&2
  exit 1
}

mkdir "$work/downloads" "$work/current"
cp "$morvane" "$work/downloads/morvane.exe"
for name in "${names[@]}"; do
  cp "$planted" "$work/downloads/$name.dll"
  cp "$planted" "$work/current/$name.dll"
done

cd "$work/current"
start_window wine "$work/downloads/morvane.exe"
# Command1 opens the file chooser, which loads comdlg32 and through it the shell.
click 284 20 65 21
dialog=$(wait_for_window "选择ISBN文件")
xdotool windowactivate --sync "$dialog"
sleep 0.3
xdotool key Escape
wait_until_gone "选择ISBN文件"

# Exit, confirmed with Y.
xdotool windowactivate --sync "$window"
sleep 0.2
xdotool key alt+x
box=$(wait_for_window "操作提示")
xdotool windowactivate --sync "$box"
sleep 0.2
xdotool key y
wait_for_exit "$app_pid"
wait "$app_pid" || fail "the program ended with status $?"

[[ -z "$(loaded)" ]] || fail "after the window, a file chooser and the exit"
echo "win32_dll_planting: 1 passed, 0 failed"
