# A wine prefix of a Windows window test's own, of the architecture that
# MORVANE_WINE_ARCH names: build/wine-NAME-ARCH unless MORVANE_WINE_DIR names
# another. Its wineserver and desktop are bound to the test's X server, and
# they and the work folder $work end with the test (finish, on EXIT).
# Source it from a test: source tools/wine/test_prefix.sh NAME
export MORVANE_WINE_DIR=${MORVANE_WINE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build/wine-$1-${MORVANE_WINE_ARCH:-win64}}
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
work=$(mktemp -d)
finish() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT
