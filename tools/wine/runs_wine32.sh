#!/usr/bin/env bash
# Exits with 0 when 32-bit Windows programs can run here: in the i386 root of
# Debian 12's 32-bit wine (tools/roots/roots.sh), made on the first call (a few
# minutes) and cached, natively or under qemu-i386. Needs root, and a kernel
# that gives each user namespace a binfmt_misc of its own (Linux 6.7) where
# it runs no 32-bit programs itself.
set -uo pipefail
cd "$(dirname "$0")/../.."

[[ $(id -u) -eq 0 ]] || exit 1
source tools/roots/roots.sh
wine32_root || exit 1
(root_exec "$(root_path wine-i386)" true) 2>/dev/null
