#!/usr/bin/env bash
# Builds the Qt 5 packages for UOS, Kylin and the new-world LoongArch systems
# (packaging/qt5/build.sh) with their tests, runs those in their build
# roots, checks each package for what it asks of the system and with lintian,
# and installs and uses each in a fresh root. Needs root: skipped otherwise.
set -euo pipefail
cd "$(dirname "$0")/../.."

if [[ $(id -u) -ne 0 ]]; then
  echo "The Qt 5 packages are built and tried in Debian roots, which needs root: skipped."
  exit 0
fi
status=0
packaging/qt5/build.sh --test || status=$?
for arch in amd64 arm64 loong64; do
  deb=$(ls build/compat/morvane_*_"$arch".deb) || { status=1; continue; }
  packaging/qt5/tests/check_deb.sh "$deb" || status=1
  packaging/qt5/tests/installed.sh "$deb" || status=1
done
exit "$status"
