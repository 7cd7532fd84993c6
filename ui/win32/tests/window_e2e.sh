#!/usr/bin/env bash
# Uses the real morvane.exe under wine as a person would, on a real (virtual)
# X server: types a number and converts it, clicks the credit line, runs a
# batch of GBK lines from files chosen in the choosers, asks to exit in every
# way and answers No, then asks during a long run twice, answering No and at
# last Yes.
#
# Usage: window_e2e.sh MORVANE_EXE   (run it inside tools/display/with_xvfb.sh)
set -euo pipefail

morvane=$1
repo=$(cd "$(dirname "$0")/../../.." && pwd)
# A prefix of its own, while the tests without windows keep theirs.
source "$repo/tools/wine/test_prefix.sh" window

click_pause=0.2
type_delay=20
source "$repo/tools/display/xdotool_helpers.sh"

# Asks to exit with $1 and answers the confirmation with the key $2.
request_exit() {
  xdotool windowactivate --sync "$window"
  sleep 0.2
  $1
  local box
  box=$(wait_for_window "操作提示")
  xdotool windowactivate --sync "$box"
  sleep 0.2
  xdotool key "$2"
  wait_until_gone "操作提示"
}

start_window wine "$morvane"

# One number, converted in the 13-digit style; Tab into Text4 selects its
# text, which is read back through the clipboard.
click 28 144 197 25 # Text3
type_text "7-111-12345-X"
click 240 144 81 57 # Command5
click 28 144 197 25 # Text3
xdotool key Tab ctrl+c
sleep 0.5
result=$(timeout 5 xclip -o -selection clipboard)
[[ "$result" == "978-7-111-12345-3" ]] || fail "Text4 holds '$result'"

# The credit line opens its address with the shell; with no browser here
# nothing opens, and the window goes on as before.
click 56 224 221 17 # Label3

# Chooses a file with the chooser that the button at $1 $2 $3 $4 opens, whose
# title is $5: given the path $6, then opened again and cancelled, which
# leaves the box as it was.
choose() {
  local dialog
  for answer in choose cancel; do
    click "$1" "$2" "$3" "$4"
    dialog=$(wait_for_window "$5")
    xdotool windowactivate --sync "$dialog"
    sleep 0.3
    if [[ $answer == cancel ]]; then
      xdotool key Escape
    else
      type_text "$(winepath -w "$6")"
      xdotool key Return
    fi
    wait_until_gone "$5"
  done
}

# A batch of files from the choosers, in GBK: a line of six Chinese
# characters (twelve bytes) is a record and is written back as it is; one of
# three (six bytes) is too short to be one. The output file does not exist
# yet: the save chooser takes it without asking. Enter answers the
# completion message.
chinese6=$(printf '中文书号列表' | iconv -f UTF-8 -t GBK)
chinese3=$(printf '无书号' | iconv -f UTF-8 -t GBK)
printf '7-111-12345-X\r\n12345\r\n123456\r\n%s\r\n%s\r\n' "$chinese6" "$chinese3" >"$work/in.txt"
printf '978-7-111-12345-3\r\n123456\r\n%s\r\n' "$chinese6" >"$work/expected.txt"
choose 284 20 65 21 "选择ISBN文件" "$work/in.txt"   # Command1
choose 284 44 65 21 "保存ISBN文件" "$work/out.txt"  # Command2
xdotool windowactivate --sync "$window"
xdotool key alt+s
message=$(wait_for_window "温馨提示")
xdotool windowactivate --sync "$message"
xdotool key Return
wait_until_gone "温馨提示"
cmp -s "$work/expected.txt" "$work/out.txt" || fail "the output file holds: $(cat -A "$work/out.txt")"

# Every close request asks; No keeps the program running.
for request in "xdotool key alt+x" "xdotool key alt+F4" "wmctrl -i -c $window" "click 288 96 61 25"; do
  request_exit "$request" n
  kill -0 "$app_pid" 2>/dev/null || fail "the program ended after No to $request"
done

# A close request inside a run's yield holds the run until it is answered.
# Tab into a box selects its text, which the typed path replaces.
awk 'BEGIN { for (i = 0; i < 200000; ++i) printf "9787111123457\r\n" }' >"$work/long.txt"
click 4 44 269 21 # Text2
xdotool key Tab Tab
type_text "$(winepath -w "$work/long.txt")"
xdotool key shift+Tab shift+Tab
type_text "$(winepath -w "$work/long_out.txt")"
lines() { wc -l <"$work/long_out.txt"; }
# Starts a run and asks to exit during it; prints the records the output
# holds while the confirmation waits, once they stay put.
exit_during_run() {
  xdotool key alt+s alt+x
  wait_for_window "操作提示" >/dev/null
  local held
  held=$(lines)
  sleep 0.5
  [[ $(lines) -eq $held ]] || fail "the run went on while the confirmation waited"
  echo "$held"
}
# No: the run goes on to its end and its completion message.
held=$(exit_during_run)
((held < 200000)) || fail "the run was over before the confirmation: $held records"
xdotool key n
message=$(wait_for_window "温馨提示")
xdotool windowactivate --sync "$message"
xdotool key Return
wait_until_gone "温馨提示"
[[ $(lines) -eq 200000 ]] || fail "the run ended with $(lines) of 200000 records"

# Yes, the default button, ends the program at once: no further record, no
# message, and every record in the file complete.
xdotool windowactivate --sync "$window"
held=$(exit_during_run)
((held < 400000)) || fail "the second run was over before the confirmation"
xdotool key Return
wait_for_exit "$app_pid"
wait "$app_pid" || fail "the program ended with status $?"
[[ $(lines) -eq $held ]] || fail "$held records before Yes, $(lines) after"
grep -qvx $'978-7-111-12345-3\r' "$work/long_out.txt" && fail "a record is cut short or wrong"
[[ $(tail -c 2 "$work/long_out.txt" | od -An -tx1) == " 0d 0a" ]] || fail "the last record has no line end"
echo "win32_window_e2e: 1 passed, 0 failed"
