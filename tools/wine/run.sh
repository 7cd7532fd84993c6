#!/usr/bin/env bash
# Runs a Windows program under the project's private wine: the emulator through
# which CMake and CTest run the windows build's programs.
# Sourced alone, not as a condition, where bash would ignore the set-up's set -e.
source "$(dirname "$0")/env.sh"
status=$?
((status == 0)) || exit "$status"
exec wine "$@"
