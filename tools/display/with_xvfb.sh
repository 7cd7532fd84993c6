#!/usr/bin/env bash
# Runs a command on a private virtual X server (Xvfb) with the openbox window
# manager, then stops both, however the command ends. Needs no DISPLAY.
#
# Usage: tools/display/with_xvfb.sh [--size WIDTHxHEIGHT] COMMAND [ARG...]
set -euo pipefail

size=1024x768
if [[ "${1:-}" == --size ]]; then
  size=$2
  shift 2
fi

display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
openbox_pid=
# Stops both even when one of them has already ended.
stop_servers() {
  kill "$xvfb_pid" ${openbox_pid:+"$openbox_pid"} 2>/dev/null || true
  wait 2>/dev/null || true
  rm -f "$display_file"
}
trap stop_servers EXIT
trap 'exit 143' TERM INT

# Xvfb writes its display number once it accepts connections.
for _ in $(seq 200); do
  [[ -s "$display_file" ]] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
  sleep 0.05
done
export DISPLAY=":$(head -n1 "$display_file")"

openbox --sm-disable --config-file "$(cd "$(dirname "$0")" && pwd)/openbox.xml" >/dev/null 2>&1 &
openbox_pid=$!
# openbox publishes its desktops once it manages the screen.
for _ in $(seq 200); do
  xdotool get_num_desktops >/dev/null 2>&1 && break
  sleep 0.05
done

"$@"
