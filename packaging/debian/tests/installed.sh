#!/usr/bin/env bash
# Installs the built package into this machine, checks that its menu entry
# and icons are in place, starts the installed program under a display of its
# own, sees its window, closes it through the exit confirmation and removes
# the package again with whatever its installation brought along, leaving the
# installed packages as they were. Exits 77 (skipped) where it may not install
# packages or where a morvane package is already installed.
set -euo pipefail

debs=("$1"/morvane_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { echo "expected one morvane_*.deb in $1" >&2; exit 1; }
deb=$(realpath "${debs[0]}")

fail() { echo "FAILED: $*" >&2; exit 1; }
skip() { echo "SKIPPED: $*"; exit 77; }

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo -n true 2>/dev/null || skip "installing a package needs root or passwordless sudo"
  sudo=(sudo -n)
fi
apt_get() {
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get -y -q -o DPkg::Lock::Timeout=300 "$@"
}

# Two test runs on one machine take turns: one's removal would pull the
# program from under the other's window.
exec 9>>"${TMPDIR:-/tmp}/morvane-installed-test.lock"
flock -w 600 9 || fail "another run of this test held the machine for 10 minutes"

status=$(dpkg-query -W -f='${db:Status-Status}' morvane 2>/dev/null || true)
[[ -z $status || $status == not-installed ]] ||
  skip "a morvane package is already on this machine ($status); this test leaves it alone"

installed_packages() {
  dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package} ${Version}\n' | sort
}
before=$(installed_packages)

work=$(mktemp -d)
xvfb_pid=
app_pid=
clean_up() {
  local rc=$?
  [[ -z $app_pid ]] || kill "$app_pid" 2>/dev/null || true
  [[ -z $xvfb_pid ]] || kill "$xvfb_pid" 2>/dev/null || true
  local added
  added=$(comm -13 <(awk '{print $2}' <<<"$before" | sort) \
    <(installed_packages | awk '{print $2}' | sort))
  if [[ -n $added ]]; then
    # shellcheck disable=SC2086 # one word per package
    apt_get purge $added >"$work/purge.log" 2>&1 || { cat "$work/purge.log" >&2; rc=1; }
  fi
  local after
  after=$(installed_packages)
  if [[ $after != "$before" ]]; then
    echo "FAILED: the installed packages differ from before the test:" >&2
    diff <(echo "$before") <(echo "$after") >&2 || true
    rc=1
  fi
  rm -rf "$work"
  exit "$rc"
}
trap clean_up EXIT

# Recommended packages stay out: they would be more to remove afterwards, and
# the test setup installs them anyway.
apt_get install --no-install-recommends "$deb" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; fail "apt-get could not install $deb"; }
echo "installed $(basename "$deb"), $(dpkg-query -W -f='${Installed-Size}' morvane) KiB"

# The menu entry starts the installed program and names an icon of every size.
entry=$(dpkg -L morvane | grep '^/usr/share/applications/.*\.desktop$') ||
  fail "the package has no menu entry"
desktop-file-validate "$entry"
program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[[ $(command -v "$program") == /usr/bin/morvane ]] ||
  fail "the menu entry starts '$program', not /usr/bin/morvane"
icon=$(sed -n 's/^Icon=//p' "$entry")
for size in 16 32 48 64 128 256; do
  png=/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png
  [[ -f $png ]] || fail "the menu entry's icon $icon has no $png"
  kind=$(file -b "$png")
  [[ $kind == "PNG image data, $size x $size,"* ]] || fail "$png is not a $size x $size PNG: $kind"
done
svg=/usr/share/icons/hicolor/scalable/apps/$icon.svg
[[ $(file -b "$svg") == *SVG* ]] || fail "$svg is not an SVG image"

# A display of our own: none is needed from the caller, and none is disturbed.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" 9>&- &
xvfb_pid=$!
for _ in $(seq 100); do
  [[ -s $work/display ]] && break
  sleep 0.1
done
[[ -s $work/display ]] || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }
export DISPLAY=:$(head -n 1 "$work/display")
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb

/usr/bin/morvane >"$work/morvane.log" 2>&1 9>&- &
app_pid=$!
show_log() { cat "$work/morvane.log" >&2; }

windows=$(timeout 30 xdotool search --sync --onlyvisible --name '^Morvane$') ||
  { show_log; fail "no window named Morvane appeared within 30 s"; }
window=${windows%%$'\n'*}
echo "window Morvane is up"

# The icon comes from inside the program, Qt's Chinese texts from Qt's
# translations folder: both have to be found by the installed program.
xprop -len 16 -id "$window" _NET_WM_ICON | grep -q '^_NET_WM_ICON.* = ' ||
  fail "the window carries no icon"
grep -q '/translations/qt[a-z]*_zh_CN\.qm$' "/proc/$app_pid/maps" ||
  fail "the program did not load Qt's zh_CN translations"
echo "the window has its icon, and Qt's zh_CN translations are loaded"

# No window manager runs here, so the test gives the window the focus itself.
xdotool windowfocus "$window"
sleep 0.5
xdotool key --clearmodifiers alt+x
dialogs=$(timeout 10 xdotool search --sync --onlyvisible --name '^操作提示$') ||
  { show_log; fail "Alt+X showed no exit confirmation"; }
xdotool windowfocus "${dialogs%%$'\n'*}"
sleep 0.5
xdotool key Return # Yes is the default answer
for _ in $(seq 100); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && { show_log; fail "the program still runs after Yes to the exit confirmation"; }
app_rc=0
wait "$app_pid" || app_rc=$?
app_pid=
[[ $app_rc -eq 0 ]] || { show_log; fail "the program ended with status $app_rc"; }
echo "the exit confirmation closed the program"
