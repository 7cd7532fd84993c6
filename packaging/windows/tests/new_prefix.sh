# A new wine prefix in MORVANE_WINE_DIR, of MORVANE_WINE_ARCH: what an
# earlier run left there would hide what this one leaves. Source it; $repo is
# the repository.
stale=false
[[ -d $MORVANE_WINE_DIR ]] && stale=true
source "$repo/tools/wine/env.sh"
if $stale; then
  wineserver -k 2>/dev/null || true
  rm -rf "$MORVANE_WINE_DIR"
  source "$repo/tools/wine/env.sh"
fi
