#!/usr/bin/env bash
# A private wine environment for the Windows build: its own prefix and home
# under build/wine, a Simplified Chinese locale (ANSI code page 936, GBK),
# Chinese fonts, and a wineserver that stays up so that each later start of a
# Windows program takes a fraction of a second. Quiet and idempotent: only the
# first use pays for creating the prefix (about ten seconds).
#
# Source it to set up the environment in the current shell:
#   source tools/wine/env.sh
# or run one command in it:
#   tools/wine/env.sh wine build/windows/engine/tests/engine_test.exe
#   tools/wine/env.sh wineserver -k     (stops the wineserver and its helpers)
#
# MORVANE_WINE_ARCH chooses a 64-bit prefix (win64, the default, build/wine)
# of the machine's wine, a 32-bit one (win32, build/wine32) of the 32-bit
# wine in an i386 root, which runs 32-bit programs only, as a 32-bit Windows
# does, or a 64-bit one (wow64, build/wine-wow64) of the 64-bit wine with the
# 32-bit one beside it in a root of their own, which runs both, as a 64-bit
# Windows does. MORVANE_WINE_DIR chooses another folder for the prefix
# and the home. MORVANE_WINE_VERSION makes the prefix report another Windows
# (win7, win10...), MORVANE_WINE_DPI another screen resolution (144...).
# MORVANE_WINE_NO_SONG=1 leaves 宋体 and SimSun unmapped, as on a Windows
# without them (most Windows in other languages).
#
# A prefix is made anew whenever the wine it was made with, or one of these
# settings, changes.

export MORVANE_WINE_ARCH=${MORVANE_WINE_ARCH:-win64}
morvane_wine_tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
case $MORVANE_WINE_ARCH in
  win64) morvane_wine_default=wine ;;
  # The 32-bit wine is the i386 root's (tools/wine/wine32/), and the 64-bit
  # one with its 32-bit half the root's of both (tools/wine/wow64/), whatever
  # the machine has.
  win32) morvane_wine_default=wine32 morvane_wine_root=wine-i386 morvane_wine_bin=wine32 ;;
  wow64) morvane_wine_default=wine-wow64 morvane_wine_root=wine-wow64 morvane_wine_bin=wow64 ;;
  *) echo "MORVANE_WINE_ARCH must be win64, win32 or wow64, not $MORVANE_WINE_ARCH" >&2; return 2 2>/dev/null || exit 2 ;;
esac
if [[ $MORVANE_WINE_ARCH != win64 ]]; then
  case ":$PATH:" in
    *":$morvane_wine_tools/$morvane_wine_bin:"*) ;;
    *) export PATH=$morvane_wine_tools/$morvane_wine_bin:$PATH ;;
  esac
  # Emulated, every 32-bit program runs several times slower: the tests wait
  # that much longer (MORVANE_WAIT_SCALE).
  if "$morvane_wine_tools/../roots/runs_32bit.sh"; then export MORVANE_WAIT_SCALE=1; else export MORVANE_WAIT_SCALE=4; fi
fi
morvane_wine_dir=${MORVANE_WINE_DIR:-$(cd "$morvane_wine_tools/../.." && pwd)/build/$morvane_wine_default}
export WINEPREFIX=$morvane_wine_dir/prefix
export WINEARCH=${MORVANE_WINE_ARCH/wow64/win64}
# Wine links the prefix's Desktop and Documents folders into HOME.
export HOME=$morvane_wine_dir/home
export WINEDEBUG=-all
# No .NET or Gecko installers, no menu entries or file associations on the host.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The Unix locale chooses wine's ANSI code page and its dialogs' language.
export LANG=zh_CN.UTF-8
unset LC_ALL LANGUAGE

morvane_wine_setup() (
  set -euo pipefail
  # The steps' own output goes nowhere (below): a step that fails says so.
  trap 'status=$?; ((status == 0)) || echo "setting up the wine prefix $WINEPREFIX failed (status $status) at: $BASH_COMMAND" >&2' EXIT
  if [[ $MORVANE_WINE_ARCH == win32 ]]; then
    if ! "$morvane_wine_tools/runs_wine32.sh"; then
      echo "the 32-bit wine's root cannot be made or entered here (it needs root)" >&2
      exit 1
    fi
  elif [[ $MORVANE_WINE_ARCH == wow64 ]]; then
    if ! "$morvane_wine_tools/runs_wow64.sh"; then
      echo "the root of the 64-bit wine with its 32-bit half cannot be made or entered here (it needs root)" >&2
      exit 1
    fi
  elif ! command -v wine >/dev/null; then
    echo "wine is missing: run scripts/deps.sh windows" >&2
    exit 1
  fi
  if ! locale -a | grep -qix 'zh_CN\.utf-\?8'; then
    sudo=()
    [[ $(id -u) -eq 0 ]] || sudo=(sudo)
    "${sudo[@]}" localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
  fi

  mkdir -p "$HOME"
  # One set-up at a time when several tests start at once.
  exec 9>"$morvane_wine_dir/setup.lock"
  flock 9

  # The wineserver and its helper processes (services.exe, explorer.exe...)
  # outlive this script: they must hold no file that a caller has open, or
  # whoever reads a caller's pipes (CTest) waits for them forever, and a lock
  # that a caller holds (this script's, flock(1)'s around a build that runs
  # the Windows tests) is held for as long as the wineserver runs.
  detached() (
    for open_file in /proc/$BASHPID/fd/*; do
      fd=${open_file##*/}
      ((fd <= 2)) || exec {fd}>&-
    done
    exec "$@" </dev/null >/dev/null 2>&1
  )

  # What the prefix was made with: the wine packages, or the 32-bit wine's
  # root, and the settings above.
  if [[ $MORVANE_WINE_ARCH != win64 ]]; then
    wine_made_by=$(md5sum <"$(source "$morvane_wine_tools/../roots/roots.sh" && root_path "$morvane_wine_root")/.morvane-recipe")
  else
    wine_made_by=$(dpkg-query -W -f='${Package}:${Architecture} ${Version}\n' 'wine*' 'libwine*' 2>/dev/null | sort)
  fi
  stamp="$wine_made_by $MORVANE_WINE_ARCH ${MORVANE_WINE_VERSION:-} ${MORVANE_WINE_DPI:-} ${MORVANE_WINE_NO_SONG:-}"
  ready=$WINEPREFIX/.morvane-ready
  if [[ -d "$WINEPREFIX" && "$(cat "$ready" 2>/dev/null)" != "$stamp" ]]; then
    detached wineserver -k || true
    detached wineserver -w || true
    rm -rf "$WINEPREFIX"
  fi
  mkdir -p "$WINEPREFIX"

  # Exits with 2 when the prefix's wineserver runs already.
  started=false
  if detached wineserver -p; then started=true; fi

  if [[ ! -f "$ready" ]]; then
    detached wineboot -i
    # Programs that ask for 宋体 (SimSun) get a font that has its glyphs, and
    # GetTextFaceW still names the face they asked for.
    if [[ -z "${MORVANE_WINE_NO_SONG:-}" ]]; then
      for face in 宋体 SimSun; do
        detached wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d 'AR PL UMing CN' /f
      done
    fi
    if [[ -n "${MORVANE_WINE_VERSION:-}" ]]; then
      detached wine reg add 'HKCU\Software\Wine' /v Version /d "$MORVANE_WINE_VERSION" /f
    fi
    # The wineserver reads the resolution when it starts.
    if [[ -n "${MORVANE_WINE_DPI:-}" ]]; then
      detached wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$MORVANE_WINE_DPI" /f
      detached wineserver -k || true
      detached wineserver -w || true
      detached wineserver -p
      detached wine cmd /c exit
    fi
    echo "$stamp" >"$ready"
  elif $started; then
    detached wine cmd /c exit
  fi
)

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
  if [[ $# -eq 0 ]]; then
    echo "usage: $0 COMMAND [ARG...]   (or source it)" >&2
    exit 2
  fi
  # Called alone, not as a condition (|| exit), where bash would ignore its
  # set -e and carry on past a failing step.
  morvane_wine_setup
  morvane_wine_status=$?
  ((morvane_wine_status == 0)) || exit "$morvane_wine_status"
  exec "$@"
else
  # Whoever sources this file, too, sources it alone and then asks $?.
  morvane_wine_setup
fi
