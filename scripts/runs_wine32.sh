#!/usr/bin/env bash
# Exits with 0 when 32-bit Windows programs can run here: the kernel runs
# 32-bit x86 programs and the 32-bit wine (wine32) is installed. An archive
# whose 32-bit index is out of step with its 64-bit one can leave wine32 out
# even where the kernel could run it.
set -uo pipefail

"$(dirname "$0")/runs_32bit.sh" || exit 1
[[ $(dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null) == "install ok installed" ]]
