# What the window tests do as a person would, with xdotool on an X server:
# wait for a window by its title, click a control, type, wait for a program
# to end. Source it; $window names the window that click aims at, and
# click_pause and type_delay may be set before a call. The waits last
# MORVANE_WAIT_SCALE times as long where the program is emulated.

click_pause=${click_pause:-0.1}
type_delay=${type_delay:-5}
wait_scale=${MORVANE_WAIT_SCALE:-1}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Waits for a visible window whose title is exactly $1; prints its id.
wait_for_window() {
  local id
  for _ in $(seq $((400 * wait_scale))); do
    if id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) && [[ -n "$id" ]]; then
      echo "$id"
      return
    fi
    sleep 0.05
  done
  fail "no window titled $1"
}

wait_until_gone() {
  for _ in $(seq $((200 * wait_scale))); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.05
  done
  fail "window $1 is still open"
}

# Starts a program in the background (its pid in $app_pid), waits for its
# window titled Morvane ($window) and brings it to the front.
start_window() {
  "$@" &
  app_pid=$!
  window=$(wait_for_window Morvane)
  xdotool windowactivate --sync "$window"
  sleep 0.5
}

# Clicks the middle of a control of $window, given its left, top, width and
# height in the window.
click() {
  xdotool mousemove --window "$window" $(($1 + $3 / 2)) $(($2 + $4 / 2)) click 1
  sleep "$click_pause"
}

type_text() { xdotool type --delay "$type_delay" "$1"; }

# Waits up to five seconds (times the scale) for the process $1 to end; fails
# if it does not.
wait_for_exit() {
  for _ in $(seq $((100 * wait_scale))); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.05
  done
  fail "the program still runs"
}
