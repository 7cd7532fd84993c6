# What the installer's tests share: a new prefix in MORVANE_WINE_DIR, of
# MORVANE_WINE_ARCH (win32, or wow64: a 64-bit Windows), whose wineserver
# ends with the test; the checks of an install in a folder and of an
# uninstall. Source it, then tools/display/xdotool_helpers.sh, whose fail
# these checks call; $repo is the repository.

source "$repo/packaging/windows/tests/new_prefix.sh"
trap 'wineserver -k 2>/dev/null || true' EXIT

# Runs a check up to ten seconds (longer where emulated) until it holds.
eventually() {
  for _ in $(seq $((200 * MORVANE_WAIT_SCALE))); do
    "$@" && return
    sleep 0.05
  done
  return 1
}

# The folder that the installer picks by itself, on a 32-bit Windows and
# (64-bit Program Files) on a 64-bit one, where the 32-bit programs'
# Program Files is another.
program_files='C:\Program Files\Morvane'
programs=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs
shortcut=$programs/Morvane.lnk
guide_shortcut=$programs/Morvane\ 使用说明.lnk
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
key=$uninstall_key'\Morvane'
bits=32
if [[ $MORVANE_WINE_ARCH == wow64 ]]; then
  bits=64
fi

# The Linux path of the Windows path $1 on drive C.
unix_path() {
  local path=${1#C:\\}
  echo "$WINEPREFIX/drive_c/${path//\\//}"
}

# The value $1 of the uninstall entry, in the registry view of the Windows'
# own bits.
reg_value() {
  wine reg query "$key" /v "$1" /reg:$bits | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}

# The machine that the PE header of the program $1 names: 8664 for x86-64,
# 14c for x86; and its optional header's magic: 20b (PE32+), 10b (PE32).
pe_kind() {
  local header
  header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  printf '%x %x\n' "$(od -An -tu2 -j$((header + 4)) -N2 "$1")" "$(od -An -tu2 -j$((header + 24)) -N2 "$1")"
}

# Checks the install of PROGRAM, VERSION, in the Windows folder $1: the
# program of the Windows' bits and its files, one uninstall entry in the
# view of those bits and none in the other, the shortcuts to the files.
check_installed() {
  local folder=$1 program=$2 version=$3 unix
  unix=$(unix_path "$folder")
  cmp -s "$program" "$unix/morvane.exe" || fail "$folder\\morvane.exe is not the program"
  local kind
  kind=$(pe_kind "$unix/morvane.exe")
  if ((bits == 64)); then
    [[ $kind == "8664 20b" ]] || fail "morvane.exe is no 64-bit program: $kind"
    [[ ! -e "$WINEPREFIX/drive_c/Program Files (x86)/Morvane" ]] || fail "Morvane is in Program Files (x86)"
    if wine reg query 'HKLM\Software\WOW6432Node\Microsoft\Windows\CurrentVersion\Uninstall\Morvane' /reg:64 \
      >/dev/null 2>&1; then
      fail "the uninstall entry is in the 32-bit view too"
    fi
  else
    [[ $kind == "14c 10b" ]] || fail "morvane.exe is no 32-bit program: $kind"
  fi
  local file
  for file in guide.html font-license.txt uninstall.exe; do
    [[ -f "$unix/$file" ]] || fail "no $file beside the program"
  done
  # The shortcuts hold their targets' paths in UTF-16 or in the ANSI code page.
  [[ -f "$shortcut" ]] || fail "no Start-menu shortcut"
  tr -d '\0' <"$shortcut" | grep -qaF "$folder\\morvane.exe" || fail "the shortcut does not point at $folder\\morvane.exe"
  [[ -f "$guide_shortcut" ]] || fail "no Start-menu shortcut to the user guide"
  tr -d '\0' <"$guide_shortcut" | grep -qaF "$folder\\guide.html" ||
    fail "the guide's shortcut does not point at $folder\\guide.html"
  local entries
  entries=$(wine reg query "$uninstall_key" /reg:$bits | tr -d '\r' | grep -ci 'morvane' || true)
  ((entries == 1)) || fail "$entries uninstall entries"
  local -A expected=(
    [DisplayName]=Morvane
    [DisplayVersion]=$version
    [Publisher]="The Morvane developers"
    [DisplayIcon]="$folder\\morvane.exe,0"
    [InstallLocation]="$folder"
    [UninstallString]="\"$folder\\uninstall.exe\""
    [QuietUninstallString]="\"$folder\\uninstall.exe\" /S"
  )
  local name value
  for name in "${!expected[@]}"; do
    value=$(reg_value "$name")
    [[ "$value" == "${expected[$name]}" ]] || fail "$name is '$value'"
  done
}

# Uninstalls silently from the Windows folder $1 and checks that the folder,
# the shortcuts and the uninstall entry are gone. The uninstaller copies
# itself away, starts the copy and returns at once.
uninstall() {
  local unix
  unix=$(unix_path "$1")
  wine "$unix/uninstall.exe" /S
  eventually eval '[[ ! -e "$unix" ]]' || fail "the program's folder is still there"
  [[ ! -e "$shortcut" ]] || fail "the shortcut is still there"
  [[ ! -e "$guide_shortcut" ]] || fail "the guide's shortcut is still there"
  if wine reg query "$key" /reg:$bits >/dev/null 2>&1; then fail "the Add/Remove Programs entry is still there"; fi
}
