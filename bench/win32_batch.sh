#!/usr/bin/env bash
# Times a batch of a list of LINES lines (1,000,000 unless given) through the
# real morvane.exe under wine, from the start key to the completion message,
# and beside it, in the same run, the loops of win32_loops.exe. A 32-bit
# program runs in a 32-bit prefix. Run it on an X server:
#   tools/display/with_xvfb.sh bench/win32_batch.sh build/windows [LINES]
#   tools/display/with_xvfb.sh bench/win32_batch.sh build/windows-x86 [LINES]
set -euo pipefail

build=$(cd "$1" && pwd)
lines=${2:-1000000}
repo=$(cd "$(dirname "$0")/.." && pwd)
if x86_64-w64-mingw32-objdump -f "$build/ui/win32/morvane.exe" | grep -q 'pei-i386'; then
  export MORVANE_WINE_ARCH=win32
fi
source "$repo/tools/wine/test_prefix.sh" window

# The list of batch_bench and window_bench: 16 kinds of line, one of them a
# book title in GBK, two of them no record (the empty line and 12345).
awk -v lines=$lines 'BEGIN {
  split("9787111123457|7-111-12345-X| 978-7-04-012345-6 |9789574312344|957-2001-23-X|" \
        "\t9789628501236|0-306-40615-2|978-7-80012-345-0  |ISBN 978-7-111|711112345|" \
        "978 7 111 12345 3||12345|\317\326\264\372\272\272\323\357\264\312\265\344|" \
        "9789886001233|7-900123-45-8", kind, "|")
  for (i = 0; i < lines; ++i) printf "%s\r\n", kind[i % 16 + 1]
}' >"$work/in.txt"
records=$(grep -cvxE $'(12345)?\r' "$work/in.txt")

wait_for_window() {
  until id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) && [[ -n "$id" ]]; do
    sleep 0.01
  done
  echo "$id"
}

wine "$build/ui/win32/morvane.exe" &
window=$(wait_for_window Morvane)
xdotool windowactivate --sync "$window"
sleep 0.5
xdotool mousemove --window "$window" 138 30 click 1 # Text1
xdotool type --delay 10 "$(winepath -w "$work/in.txt")"
xdotool mousemove --window "$window" 138 54 click 1 # Text2
xdotool type --delay 10 "$(winepath -w "$work/out.txt")"
sleep 0.5
start=$(date +%s%N)
xdotool key alt+s
wait_for_window "温馨提示" >/dev/null
seconds=$(echo "scale=3; ($(date +%s%N) - $start) / 1000000000" | bc)
written=$(grep -c $'\r$' "$work/out.txt" || true)
[[ "$written" == "$records" ]] || { echo "the run wrote $written records, not $records" >&2; exit 1; }
printf '%-28s %8d records in %8.3f s: %12.0f records/s\n' "morvane.exe batch" "$records" \
  "$seconds" "$(echo "$records / $seconds" | bc)"

wine "$build/bench/win32_loops.exe" "$(winepath -w "$work/loop.txt")" "$records"
