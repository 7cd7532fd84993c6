#!/usr/bin/env bash
# The program on a Wayland session, started as a desktop starts it: with
# WAYLAND_DISPLAY and XDG_SESSION_TYPE=wayland set and no QT_QPA_PLATFORM.
#  - Under weston's headless back end with XWayland, it opens an X11 window
#    through XWayland, whose hints ask for the close box only.
#  - Under weston without XWayland it starts on Wayland and converts a list
#    of one number, typed with the keyboard. Weston's headless back end has
#    no keyboard: this weston runs on the test's X server (its X11 back end),
#    and the program is given no X display, as on a session without XWayland.
#
# Usage: wayland.sh MORVANE [xwayland]   (run it inside tools/display/with_xvfb.sh;
# with xwayland, only the first: for a program without Qt's Wayland plugin)
set -euo pipefail

morvane=$1
only_xwayland=${2:-}
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
pids=()
finish() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT
source "$(dirname "$0")/../../../tools/display/xdotool_helpers.sh"

# Waits until the file $1 holds a line that matches $2.
wait_for_line() {
  for _ in $(seq 200); do
    grep -q "$2" "$1" 2>/dev/null && return
    sleep 0.05
  done
  fail "no line '$2' in $1: $(cat "$1")"
}

# Starts weston with the arguments given, its log in $work/weston.log.
start_weston() {
  weston --use-pixman --socket=morvane-test "$@" >"$work/weston.log" 2>&1 &
  pids+=($!)
  wait_for_line "$work/weston.log" "listening on\|Loading module.*desktop-shell"
  for _ in $(seq 200); do
    [[ -S $XDG_RUNTIME_DIR/morvane-test ]] && return
    sleep 0.05
  done
  fail "weston did not start: $(cat "$work/weston.log")"
}

stop_all() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  pids=()
}

# With XWayland: an X11 window. The motif hints' functions and decorations
# name neither a minimise nor a maximise box.
start_weston --backend=headless-backend.so --xwayland
wait_for_line "$work/weston.log" "xserver listening on display"
xwayland_display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log")
env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland DISPLAY="$xwayland_display" WAYLAND_DISPLAY=morvane-test "$morvane" 2>"$work/xwayland-client.log" &
pids+=($!)
window=
for _ in $(seq $((200 * wait_scale))); do
  window=$(DISPLAY=$xwayland_display xdotool search --onlyvisible --name '^Morvane$' 2>/dev/null | head -n1) && [[ -n $window ]] && break
  sleep 0.05
done
[[ -n $window ]] || fail "no X11 window through XWayland on $xwayland_display: $(cat "$work/xwayland-client.log")"
hints=$(DISPLAY=$xwayland_display xprop -id "$window" _MOTIF_WM_HINTS)
read -r functions decorations < <(sed -n 's/.*= 0x[0-9a-f]*, \(0x[0-9a-f]*\), \(0x[0-9a-f]*\),.*/\1 \2/p' <<<"$hints")
[[ -n ${functions:-} ]] || fail "the window has no motif hints: $hints"
# MWM_FUNC_MINIMIZE 0x8, MWM_FUNC_MAXIMIZE 0x10; MWM_DECOR_MINIMIZE 0x20, MWM_DECOR_MAXIMIZE 0x40.
((!(functions & 0x18) && !(decorations & 0x60) && (functions & 0x20))) ||
  fail "the window's hints ask for more than the close box: $hints"
stop_all
if [[ $only_xwayland == xwayland ]]; then
  echo "wayland: 1 passed, 0 failed"
  exit 0
fi

# Without XWayland: Wayland, and a list of one number converted. The focus
# starts on Command1; Tab leads to Text2, then past Command2 to Text1.
start_weston --backend=x11-backend.so --width=640 --height=480
printf '7-111-12345-X\r\n' >"$work/in.txt"
env -u QT_QPA_PLATFORM -u DISPLAY XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=morvane-test WAYLAND_DEBUG=client \
  "$morvane" 2>"$work/client.log" &
pids+=($!)
wait_for_line "$work/client.log" 'xdg_toplevel@[0-9]*\.set_title("Morvane")'
sleep 0.5
xdotool key Tab
xdotool type --delay 20 "$work/out.txt"
xdotool key Tab Tab
xdotool type --delay 20 "$work/in.txt"
xdotool key alt+s
wait_for_line "$work/client.log" 'set_title("温馨提示")'
sleep 0.3
xdotool key Return
[[ "$(cat "$work/out.txt" 2>/dev/null)" == $'978-7-111-12345-3\r' ]] ||
  fail "on Wayland, the list came out as '$(cat "$work/out.txt" 2>/dev/null)'"
echo "wayland: 2 passed, 0 failed"
