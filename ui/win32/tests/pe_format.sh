#!/usr/bin/env bash
# Checks what a built morvane.exe is without running it: a PE of the given
# format (pei-x86-64 or pei-i386) and a GUI program. That it needs no DLL of
# the compiler's runtime, only those that come with Windows, pe_defences.sh
# checks with the rest of its imports.
#
# Usage: pe_format.sh EXE FORMAT
set -euo pipefail

headers=$(x86_64-w64-mingw32-objdump -p "$1")
fail() {
  echo "FAIL: $1 $2" >&2
  exit 1
}
grep -q "file format $2\$" <<<"$headers" || fail "$1" "is not $2"
grep -q "Subsystem.*(Windows GUI)" <<<"$headers" || fail "$1" "is no GUI program"
echo "$(basename "$1") is a $2 GUI program: 1 passed, 0 failed"
