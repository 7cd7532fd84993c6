#!/usr/bin/env bash
# Clones the current commit into an empty temporary folder and runs there the
# README's two commands for PRESET, as a new user would: cmake --preset PRESET
# && cmake --build --preset PRESET. Fails when that build needs something that
# another build or script has to make first. What is not committed is not in
# the clone.
#
# Usage: fresh_clone_build.sh PRESET
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/quiet.sh

preset=$1
if ! git rev-parse --verify --quiet HEAD >/dev/null; then
  echo "Not a git checkout: the $preset preset's build on a fresh clone is not tried." >&2
  exit 0
fi
folder=$(mktemp -d)
clone=$folder/morvane
cleanup() {
  # The Windows builds list their tests under wine, in a prefix inside the
  # clone whose wineserver stays up until it is stopped.
  for prefix in "$clone"/build/wine*/prefix; do
    if [[ -d $prefix ]]; then
      WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
      WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
    fi
  done
  rm -rf "$folder"
}
trap cleanup EXIT

quiet git clone --quiet --no-checkout . "$clone"
quiet git -C "$clone" checkout --quiet --detach "$(git rev-parse HEAD)"
cd "$clone"
if ! quiet bash -c 'cmake --preset "$1" && cmake --build --preset "$1"' _ "$preset"; then
  echo "FAIL: on a fresh clone, cmake --preset $preset && cmake --build --preset $preset fails" >&2
  exit 1
fi
echo "A fresh clone builds the $preset preset by the README's commands."
