#!/usr/bin/env bash
# Runs a Windows program under the project's private wine: the emulator through
# which CMake and CTest run the windows build's programs.
source "$(dirname "$0")/env.sh" || exit
exec wine "$@"
