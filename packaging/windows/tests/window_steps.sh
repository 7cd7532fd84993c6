# What the tests of the installed and of the portable program do in its
# window, as a person would: convert one number, convert a small list chosen
# in the file dialogs, quit. Source it after tools/display/xdotool_helpers.sh;
# $window is the program's window and $app_pid its process (start_window).

# Asks to exit with Alt+X and answers Yes.
quit() {
  xdotool windowactivate --sync "$window"
  xdotool key alt+x
  xdotool windowactivate --sync "$(wait_for_window 操作提示)"
  sleep 0.2
  xdotool key y
  wait_for_exit "$app_pid"
  wait "$app_pid" || fail "the program ended with status $?"
}

# Converts one number and reads the result back through the clipboard.
convert_one() {
  click 28 144 197 25 # Text3
  xdotool key ctrl+a
  type_text "$1"
  click 240 144 81 57 # Command5
  click 28 144 197 25 # Text3
  xdotool key Tab ctrl+c
  sleep 0.5
  local result
  result=$(timeout 5 xclip -o -selection clipboard)
  [[ "$result" == "$2" ]] || fail "$1 gives '$result'"
}

# Chooses a file in the dialog that the button at $1 $2 $3 $4 opens, whose
# title is $5, by typing its path $6.
choose() {
  click "$1" "$2" "$3" "$4"
  local dialog
  dialog=$(wait_for_window "$5")
  xdotool windowactivate --sync "$dialog"
  sleep 0.3
  type_text "$6"
  xdotool key Return
  wait_until_gone "$5"
}

# Writes a small list, in.txt, into the folder $1 (on Linux; $2 is its
# Windows path), converts it into out.txt there and checks what that holds.
convert_list() {
  printf '7-111-12345-X\r\n12345\r\n9789571234567\r\n' >"$1/in.txt"
  choose 284 20 65 21 "选择ISBN文件" "$2\\in.txt"  # Command1
  choose 284 44 65 21 "保存ISBN文件" "$2\\out.txt" # Command2
  xdotool windowactivate --sync "$window"
  xdotool key alt+s
  xdotool windowactivate --sync "$(wait_for_window 温馨提示)"
  xdotool key Return
  wait_until_gone 温馨提示
  cmp -s <(printf '978-7-111-12345-3\r\n978-957-12-3456-4\r\n') "$1/out.txt" ||
    fail "the output file holds: $(cat -A "$1/out.txt")"
}
