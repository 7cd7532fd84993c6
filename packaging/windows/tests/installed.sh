#!/usr/bin/env bash
# Installs Morvane with its installer, silently, into a 32-bit wine prefix
# of its own (a 32-bit Windows, whichever MORVANE_WINE_VERSION names); checks
# that the program installed is MORVANE_EXE, the 32-bit one, and checks the
# user guide, the Start-menu shortcuts to both and the Add/Remove Programs
# entry; starts the program through the shortcut and closes it through its
# exit confirmation; uninstalls it silently and checks that all of it is gone.
#
# Usage: installed.sh SETUP_EXE MORVANE_EXE VERSION   (inside tools/display/with_xvfb.sh)
set -euo pipefail

export MORVANE_WINE_ARCH=win32
setup=$1
program=$2
version=$3
repo=$(cd "$(dirname "$0")/../../.." && pwd)
# A prefix of its own: installing changes it, and its wineserver and desktop
# are bound to this X server, so they end with the test.
export MORVANE_WINE_DIR=$repo/build/wine-installer-$MORVANE_WINE_ARCH
source "$repo/tools/wine/env.sh"
trap 'wineserver -k 2>/dev/null || true' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Runs a check up to ten seconds (longer where emulated) until it holds.
eventually() {
  for _ in $(seq $((200 * MORVANE_WAIT_SCALE))); do
    "$@" && return
    sleep 0.05
  done
  return 1
}

# The id of the visible window titled exactly $1, if there is one.
window_titled() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1; }
has_window() { [[ -n "$(window_titled "$1")" ]]; }

folder=$WINEPREFIX/drive_c/Program\ Files/Morvane
shortcut=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Morvane.lnk
guide_shortcut=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Morvane\ 使用说明.lnk
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvane'
reg_value() { wine reg query "$key" /v "$1" | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"; }

wine "$setup" /S
cmp -s "$program" "$folder/morvane.exe" || fail "morvane.exe is not the program"
[[ -f "$folder/uninstall.exe" ]] || fail "no uninstall.exe"
[[ -f "$shortcut" ]] || fail "no Start-menu shortcut"
"$repo/docs/guide/tests/check_guide.sh" "$folder/guide.html"
grep -q 'SIL OPEN FONT LICENSE' "$folder/font-license.txt" || fail "no font-license.txt"
[[ -f "$guide_shortcut" ]] || fail "no Start-menu shortcut to the user guide"
tr -d '\0' <"$guide_shortcut" | grep -qa 'guide\.html' || fail "the guide's shortcut does not point at guide.html"

declare -A expected=(
  [DisplayName]=Morvane
  [DisplayVersion]=$version
  [Publisher]="The Morvane developers"
  [DisplayIcon]='C:\Program Files\Morvane\morvane.exe,0'
  [UninstallString]='"C:\Program Files\Morvane\uninstall.exe"'
  [QuietUninstallString]='"C:\Program Files\Morvane\uninstall.exe" /S'
)
for name in "${!expected[@]}"; do
  value=$(reg_value "$name")
  [[ "$value" == "${expected[$name]}" ]] || fail "$name is '$value'"
done
size_kib=$(($(reg_value EstimatedSize)))
files_kib=$(($(cat "$folder"/* | wc -c) / 1024))
((size_kib >= files_kib && size_kib <= files_kib + 2)) ||
  fail "EstimatedSize is $size_kib KiB for $files_kib KiB of files"

# Started from its shortcut; start waits for the program to end.
wine start /wait /unix "$shortcut" &
started=$!
eventually has_window Morvane || fail "the program shows no window"
wmctrl -i -c "$(window_titled Morvane)"
eventually has_window 操作提示 || fail "closing asks nothing"
xdotool windowactivate --sync "$(window_titled 操作提示)"
sleep 0.2
xdotool key y
eventually eval '! kill -0 "$started" 2>/dev/null' || fail "the program is still running after Yes"
wait "$started" || fail "the program ended with status $?"

# The uninstaller copies itself away, starts the copy and returns at once.
wine "$folder/uninstall.exe" /S
eventually eval '[[ ! -e "$folder" ]]' || fail "the program's folder is still there"
[[ ! -e "$shortcut" ]] || fail "the shortcut is still there"
[[ ! -e "$guide_shortcut" ]] || fail "the guide's shortcut is still there"
if wine reg query "$key" >/dev/null 2>&1; then fail "the Add/Remove Programs entry is still there"; fi
