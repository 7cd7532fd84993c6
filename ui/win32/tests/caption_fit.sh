#!/usr/bin/env bash
# Runs caption_fit_test.exe under wine in a prefix of its own: one that maps
# 宋体 and SimSun to AR PL UMing, as the other tests' do, where the captions
# keep 宋体, or with NO_SONG one without them, as on a Windows that has no
# 宋体, where they take the window's own Song face.
#
# Usage: caption_fit.sh CAPTION_FIT_TEST_EXE [NO_SONG]   (inside tools/display/with_xvfb.sh)
set -euo pipefail

probe=$1
face=宋体
if [[ "${2:-}" == NO_SONG ]]; then
  export MORVANE_WINE_NO_SONG=1
  face="Morvane Song"
fi
repo=$(cd "$(dirname "$0")/../../.." && pwd)
source "$repo/tools/wine/test_prefix.sh" "captions${MORVANE_WINE_NO_SONG:+-no-song}"
wine "$probe" "$face" | tr -d '\r'
