#!/usr/bin/env bash
# Installs what is missing, builds everything with the sanitizers and runs
# every test; then cross-builds the Windows program and runs its tests under
# wine. Arguments go to both ctest runs. Needs no display.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/quiet.sh

scripts/deps.sh test windows
quiet cmake --preset dev
quiet cmake --build --preset dev
status=0
ctest --preset dev "$@" || status=$?

# The build runs the Windows test programs to list their tests: the wine
# prefix must exist first, for creating it takes longer than listing may.
quiet scripts/wine_env.sh true
quiet cmake --preset windows
quiet cmake --build --preset windows
ctest --preset windows "$@" || status=$?
exit "$status"
