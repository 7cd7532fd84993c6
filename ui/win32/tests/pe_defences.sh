#!/usr/bin/env bash
# Checks the defences that morvane.exe carries in its PE headers, so that a
# change of toolchain cannot drop one silently:
# - ASLR: DYNAMIC_BASE, with the relocations it needs (a .reloc section, not
#   marked stripped), and HIGH_ENTROPY_VA on 64-bit Windows;
# - DEP: NX_COMPAT;
# - no DLL loaded before the program can restrict the DLL search but those
#   known to Windows that load no others from the program's folder (see
#   ui/win32/system_library.h): no comctl32, comdlg32 or shell32, and no DLL
#   of the compiler's runtime (libssp, libstdc++, libgcc, libwinpthread).
#
# Usage: pe_defences.sh PE_FILE...
set -euo pipefail

allowed_dlls=(kernel32.dll user32.dll gdi32.dll ole32.dll advapi32.dll msvcrt.dll)

status=0
fail() {
  echo "FAIL: $file: $*" >&2
  file_status=1
  status=1
}

for file in "$@"; do
  file_status=0
  headers=$(objdump -p "$file")
  sections=$(objdump -h "$file")
  # The flag names follow the DllCharacteristics line, one a line, up to the next field.
  flags=$(awk '/^DllCharacteristics/ { inside = 1; next } inside && /^\t\t/ { print $1; next } { inside = 0 }' <<<"$headers")
  wanted=(DYNAMIC_BASE NX_COMPAT)
  grep -q '^Magic.*PE32+' <<<"$headers" && wanted+=(HIGH_ENTROPY_VA)
  for flag in "${wanted[@]}"; do
    grep -qx "$flag" <<<"$flags" || fail "DllCharacteristics lacks $flag"
  done
  awk '{ print $2 }' <<<"$sections" | grep -qx '\.reloc' || fail "no .reloc section: ASLR cannot move it"
  grep -q 'relocations stripped' <<<"$headers" && fail "its relocations are marked stripped"
  while read -r dll; do
    [[ " ${allowed_dlls[*]} " == *" ${dll,,} "* ]] || fail "imports $dll statically"
  done < <(awk '/DLL Name:/ { print $3 }' <<<"$headers")
  [[ $file_status -eq 0 ]] && echo "$file: $(tr '\n' ' ' <<<"$flags")and .reloc; imports $(awk '/DLL Name:/ { printf "%s ", $3 }' <<<"$headers")"
done
exit $status
