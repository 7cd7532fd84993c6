#!/usr/bin/env bash
# Uses the real program as a person would, on a real (virtual) X server: types
# a number and converts it, runs a batch from typed paths, then asks to exit
# twice, answering No and then Yes.
#
# Usage: window_e2e.sh MORVANE   (run it inside tools/display/with_xvfb.sh)
set -euo pipefail

morvane=$1
work=$(mktemp -d)
app_pid=
finish() {
  [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null
  rm -rf "$work"
}
trap finish EXIT

source "$(dirname "$0")/../../../tools/display/xdotool_helpers.sh"

start_window "$morvane"

# One number, converted in the 13-digit style and read back through the clipboard.
click 28 144 197 25 # Text3
type_text "7-111-12345-X"
click 240 144 81 57 # Command5
click 28 176 197 25 # Text4
xdotool key ctrl+a ctrl+c
sleep 0.2
result=$(timeout 5 xclip -o -selection clipboard)
[[ "$result" == "978-7-111-12345-3" ]] || fail "Text4 holds '$result'"

# A batch from typed paths; Enter answers the completion message.
printf '7-111-12345-X\r\n12345\r\n123456\r\n' >"$work/in.txt"
click 4 20 269 21 # Text1
type_text "$work/in.txt"
click 4 44 269 21 # Text2
type_text "$work/out.txt"
xdotool key alt+s
wait_for_window "温馨提示" >/dev/null
xdotool key Return
wait_until_gone "温馨提示"
printf '978-7-111-12345-3\r\n123456\r\n' >"$work/expected.txt"
cmp -s "$work/expected.txt" "$work/out.txt" || fail "the output file holds: $(cat -A "$work/out.txt")"

# Every close request asks; No keeps the program running.
for request in alt+x alt+F4; do
  xdotool windowactivate --sync "$window"
  xdotool key "$request"
  wait_for_window "操作提示" >/dev/null
  xdotool key n
  wait_until_gone "操作提示"
  kill -0 "$app_pid" 2>/dev/null || fail "the program ended after No to $request"
done

# Yes ends it.
xdotool windowactivate --sync "$window"
xdotool key alt+x
wait_for_window "操作提示" >/dev/null
xdotool key y
wait_for_exit "$app_pid"
wait "$app_pid" || fail "the program ended with status $?"
app_pid=
echo "window_e2e: 1 passed, 0 failed"
