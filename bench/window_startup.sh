#!/usr/bin/env bash
# Times the real program from its start to its window shown, and reports the
# peak memory of the process at that moment. Run it on an X server:
#   tools/display/with_xvfb.sh bench/window_startup.sh build/<preset>/ui/qt/morvane [RUNS]
set -euo pipefail

morvane=$1
runs=${2:-10}
times=()
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  "$morvane" 2>/dev/null &
  pid=$!
  until xdotool search --onlyvisible --name '^Morvane$' >/dev/null 2>&1; do :; done
  times+=($((($(date +%s%N) - start) / 1000000)))
  peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
echo "start to window shown, ms over $runs runs: median $(sed -n "$(((runs + 1) / 2))p" <<<"$sorted"), min $(head -n1 <<<"$sorted"), max $(tail -n1 <<<"$sorted")"
echo "peak RSS with the window shown: $((peak / 1024)) MiB"
