#!/usr/bin/env bash
# Exits with 0 when a 64-bit Windows that runs 32-bit programs too can be
# had here: the root of Debian 12's wine64 with wine32 beside it
# (tools/roots/roots.sh), made on the first call (a few minutes) and cached,
# its 32-bit half under qemu-i386 where the kernel runs no 32-bit programs.
# Needs root, and there a kernel that gives each user namespace a
# binfmt_misc of its own (Linux 6.7).
set -uo pipefail
cd "$(dirname "$0")/../.."

[[ $(id -u) -eq 0 ]] || exit 1
source tools/roots/roots.sh
wow64_root || exit 1
(root_exec "$(root_path wine-wow64)" true) 2>/dev/null
