#!/usr/bin/env bash
# Installs a version of Morvane over an earlier one, as a user upgrades, in
# a wine prefix of its own (MORVANE_WINE_ARCH win32, the default, or wow64:
# a 64-bit Windows). The earlier version goes into a folder of the user's
# choice, which the later one must keep. While the installed program runs,
# the later installer, run by a user, asks that it be closed, and cancelled
# changes nothing; run silently, it and the uninstaller change nothing and
# exit with a code that is not 0. Once it is closed, the later version
# replaces the earlier one: one uninstall entry, of the later version, the
# later files, and one uninstall removes it all.
#
# Usage: upgrade.sh SETUP_EXE LATER_SETUP_EXE MORVANE_EXE VERSION LATER_VERSION
#        (inside tools/display/with_xvfb.sh)
set -euo pipefail

export MORVANE_WINE_ARCH=${MORVANE_WINE_ARCH:-win32}
setup=$1
later_setup=$2
program=$3
version=$4
later_version=$5
repo=$(cd "$(dirname "$0")/../../.." && pwd)
export MORVANE_WINE_DIR=$repo/build/wine-upgrade-$MORVANE_WINE_ARCH
source "$(dirname "$0")/installer_steps.sh"
source "$repo/tools/display/xdotool_helpers.sh"
source "$(dirname "$0")/window_steps.sh"

chosen='C:\Apps\Morvane'
folder=$(unix_path "$chosen")
wine "$setup" /S "/D=$chosen"
check_installed "$chosen" "$program" "$version"

# Marks the installed guide, which every install writes anew.
echo '<!-- the earlier install -->' >>"$folder/guide.html"
cp -a "$folder" "$WINEPREFIX/installed"
unchanged() {
  diff -r "$WINEPREFIX/installed" "$folder" >/dev/null || fail "$1 changed the installed files"
  [[ "$(reg_value DisplayVersion)" == "$version" ]] || fail "$1 changed the uninstall entry"
}

start_window wine "$folder/morvane.exe"
# Run by a user, it asks first (a message box titled as the installer, whose
# own window's title ends with a space); Cancel ends it.
wine "$later_setup" &
setup_pid=$!
xdotool windowactivate --sync "$(wait_for_window 'Morvane 安装')"
sleep 0.2
xdotool key Escape
status=0
wait "$setup_pid" || status=$?
((status == 2)) || fail "the installer, cancelled while the program runs, exits with $status"
unchanged "the installer, cancelled while the program ran,"
status=0
wine "$later_setup" /S || status=$?
((status != 0)) || fail "the installer reports success while the program runs"
unchanged "the installer, while the program ran,"
# Run where it is (_?=), the uninstaller returns its own exit code.
status=0
wine "$folder/uninstall.exe" /S "_?=$chosen" || status=$?
((status != 0)) || fail "the uninstaller reports success while the program runs"
unchanged "the uninstaller, while the program ran,"
quit
# The earlier program, which the later install must replace.
printf 'the earlier program' >"$folder/morvane.exe"

wine "$later_setup" /S
check_installed "$chosen" "$program" "$later_version"
! grep -q 'the earlier install' "$folder/guide.html" || fail "the later install left the earlier guide"
[[ ! -e "$(unix_path "$program_files")" ]] || fail "the later install went to $program_files"
uninstall "$chosen"
echo "windows_installer_upgrade ($MORVANE_WINE_ARCH): 1 passed, 0 failed"
