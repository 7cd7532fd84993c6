#!/usr/bin/env bash
# Fails when a Windows program or DLL imports a function that Windows 7 SP1
# lacks: the loader would refuse to start it there. Such functions are listed
# in apis-newer-than-windows-7.tsv beside this script and matched by name,
# whichever DLL a file takes them from (kernel32 or an API set alike). Reads
# the files with objdump, which reads PE files too.
#
# Usage: tools/checks/check_imports.sh PE_FILE...
set -euo pipefail

if [[ $# -eq 0 ]]; then
  echo "usage: $0 PE_FILE..." >&2
  exit 2
fi
table=$(dirname "$0")/apis-newer-than-windows-7.tsv

# Prints the file's imports as "DLL<TAB>function", one a line.
imports() {
  local tool dump
  for tool in objdump x86_64-w64-mingw32-objdump i686-w64-mingw32-objdump; do
    if dump=$("$tool" -p "$1" 2>/dev/null); then
      awk '
        /^The Import Tables/ { inside = 1; next }
        inside && /^[^ \t]/ { inside = 0 }
        inside && /DLL Name:/ { dll = tolower($3); next }
        inside && /^\t[0-9a-f]+\t/ { print dll "\t" $NF }
      ' <<<"$dump"
      return
    fi
  done
  echo "$1: no objdump here reads it as a PE file" >&2
  exit 2
}

status=0
for file in "$@"; do
  found=$(imports "$file" | awk -F'\t' -v file="$file" '
    NR == FNR { if (!/^#/ && NF == 3) first[$1] = $3; next }
    $2 in first { print file ": imports " $2 " (" $1 "), which Windows 7 SP1 lacks: first in " first[$2] }
  ' "$table" -)
  if [[ -n "$found" ]]; then
    echo "$found" >&2
    status=1
  else
    echo "$file: $(imports "$file" | wc -l) imports, all in Windows 7 SP1"
  fi
done
exit $status
