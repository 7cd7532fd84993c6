#!/usr/bin/env bash
# Takes a screenshot of the window on a private virtual X server into
# docs/screenshot.png with imagemagick's import. Uses the release build;
# builds it when missing.
#
# Usage: scripts/screenshot.sh [MORVANE]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh screenshot
morvane=${1:-build/release/ui/qt/morvane}
if [[ ! -x "$morvane" ]]; then
  cmake --preset release >/dev/null
  cmake --build --preset release --target morvane >/dev/null
fi
mkdir -p docs

shoot() {
  "$morvane" &
  local pid=$!
  xdotool windowactivate --sync "$(xdotool search --sync --onlyvisible --name '^Morvane$')"
  sleep 0.5
  import -window root docs/screenshot.png
  kill "$pid"
}
export -f shoot
export morvane
tools/display/with_xvfb.sh --size 440x330 bash -c shoot
