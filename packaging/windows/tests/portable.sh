#!/usr/bin/env bash
# Uses the portable zip (绿色版) as an office PC would under wine: checks that
# it holds one folder with the 64- and the 32-bit program and the user guide,
# all under ASCII names; unpacks it into C:\工具 箱\, a folder whose path has
# Chinese characters and a space; starts the program from there, converts one
# number and a list chosen in the file dialogs and closes it; starts it again
# from the same folder made read-only and closes it. Then checks that it left
# nothing of its own behind: no key or value in the registry, no file in
# drive_c but the two list files. What Windows itself records is ignored,
# each kind by name below, and every ignored entry is listed.
#
# In a 64-bit prefix it starts morvane.exe; in a 32-bit one (MORVANE_WINE_ARCH
# win32), morvane-32bit.exe, as a 32-bit Windows needs.
#
# Usage: portable.sh ZIP VERSION   (inside tools/display/with_xvfb.sh)
set -euo pipefail

zip=$1
version=$2
repo=$(cd "$(dirname "$0")/../../.." && pwd)
export MORVANE_WINE_ARCH=${MORVANE_WINE_ARCH:-win64}
program=morvane.exe
[[ $MORVANE_WINE_ARCH == win32 ]] && program=morvane-32bit.exe
# A new prefix each time: what an earlier run left would hide what this one
# leaves.
export MORVANE_WINE_DIR=$repo/build/wine-portable-$MORVANE_WINE_ARCH
source "$repo/packaging/windows/tests/new_prefix.sh"
click_pause=0.2
type_delay=20
source "$repo/tools/display/xdotool_helpers.sh"
source "$(dirname "$0")/window_steps.sh"

box=$WINEPREFIX/drive_c/工具\ 箱
folder=$box/Morvane-$version
lists=$WINEPREFIX/drive_c/lists
work=$(mktemp -d)
read_only=false
finish() {
  wineserver -k 2>/dev/null || true
  if $read_only; then umount "$folder" 2>/dev/null || true; fi
  chmod -R u+w "$box" 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT

# What Windows itself (here wine) records when a program uses the file dialogs,
# as registry keys and values, and as paths in drive_c: not the program's.
ignored_registry=(
  # The file dialogs' recent folders and files.
  'Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32'
  # The folder view's settings, which the file dialogs open for writing.
  'Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced'
)
ignored_files=()

# The zip: one folder, five files, ASCII names only.
expected="Morvane-$version/
Morvane-$version/font-license.txt
Morvane-$version/guide.html
Morvane-$version/morvane-32bit.exe
Morvane-$version/morvane.exe
Morvane-$version/morvane.html"
names=$(unzip -Z1 "$zip" | LC_ALL=C sort)
[[ "$names" == "$expected" ]] || fail "the zip holds: $names"
LC_ALL=C grep -q '[^ -~]' <<<"$names" && fail "a name in the zip is not ASCII"

rm -rf "$box" "$lists"
mkdir -p "$box" "$lists"
unzip -q "$zip" -d "$box"
"$repo/docs/guide/tests/check_guide.sh" "$folder/guide.html"

# Every registry key and value name of the prefix, one a line, and every path
# in drive_c. The wineserver writes the registry out when it stops.
snapshot() {
  wineserver -k 2>/dev/null || true
  wineserver -w
  awk '
    /^\[/ { key = $0; sub(/^\[/, "", key); sub(/\] [0-9]+$/, "", key); print FILENAME ": " key; next }
    /^("|@)/ { name = $0; sub(/"?=.*$/, "", name); sub(/^"/, "", name); print FILENAME ": " key " -> " name }
  ' "$WINEPREFIX/user.reg" "$WINEPREFIX/system.reg" | sed "s|$WINEPREFIX/||" | LC_ALL=C sort >"$1.reg"
  (cd "$WINEPREFIX/drive_c" && find . | LC_ALL=C sort) >"$1.files"
}
snapshot "$work/before"

# Starts the program in the folder, waits for its window and brings it to
# the front.
start() { start_window env -C "$folder" wine "$program"; }
start
convert_one 7-111-12345-X 978-7-111-12345-3
convert_list "$lists" 'C:\lists'
quit

# The same folder, read-only: a mount that refuses every write where this
# runs as root, whom no file mode stops, and the modes elsewhere.
if [[ $(id -u) -eq 0 ]]; then
  mount --bind "$folder" "$folder"
  read_only=true
  mount -o remount,bind,ro "$folder"
else
  chmod -R a-w "$folder"
fi
touch "$folder/probe" 2>/dev/null && fail "the folder is not read-only"
start
convert_one 9789881234567 978-988-12345-6-8
quit
if $read_only; then
  umount "$folder"
  read_only=false
fi
chmod -R u+w "$folder"

snapshot "$work/after"
# Prints the lines of $1 that $2 lacks and no pattern of the rest matches;
# lists on standard error those that a pattern matches.
new_entries() {
  local added
  added=$(LC_ALL=C comm -13 "$2" "$1")
  shift 2
  local line pattern
  while IFS= read -r line; do
    [[ -n $line ]] || continue
    for pattern in "$@"; do
      if [[ $line == *"$pattern"* ]]; then
        echo "ignored, recorded by Windows itself: $line" >&2
        continue 2
      fi
    done
    echo "$line"
  done <<<"$added"
}
left=$(new_entries "$work/after.reg" "$work/before.reg" "${ignored_registry[@]}")
[[ -z $left ]] || fail "the program left in the registry: $left"
grep -vx -e ./lists/out.txt -e ./lists/in.txt "$work/after.files" >"$work/after-but-lists.files"
left=$(new_entries "$work/after-but-lists.files" "$work/before.files" "${ignored_files[@]}")
[[ -z $left ]] || fail "the program left in drive_c: $left"
echo "windows_portable ($program): 1 passed, 0 failed"
