#!/usr/bin/env bash
# Takes a screenshot of the Qt 5 program (the amd64 build of
# packaging/qt5/build.sh, made when missing) on a screen of 144 dpi, as
# the desktop's font setting Xft.dpi gives it, into
# docs/screenshot-qt5-144dpi.png. It runs in the Debian 11 root, on a private
# virtual X server, with imagemagick's import. Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/roots/roots.sh

scripts/deps.sh screenshot compat
export morvane=build/compat/amd64/ui/qt/morvane
[[ -x $morvane ]] || packaging/qt5/build.sh >/dev/null
mkdir -p docs

shoot() {
  source tools/roots/roots.sh
  echo 'Xft.dpi: 144' | xrdb -merge
  in_root "$compat_build" --bind /tmp/.X11-unix /tmp/.X11-unix "$morvane" &
  local pid=$!
  xdotool windowactivate --sync "$(xdotool search --sync --onlyvisible --name '^Morvane$')"
  sleep 0.5
  import -window root docs/screenshot-qt5-144dpi.png
  kill "$pid"
}
export -f shoot
# The screen of docs/screenshot.png, one and a half times as large.
tools/display/with_xvfb.sh --size 660x495 bash -c shoot
