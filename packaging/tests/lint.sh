#!/usr/bin/env bash
# Runs lintian on the built package, failing on its errors only, and checks
# that the package's changelog and AppStream release notes name its version.
set -euo pipefail

debs=("$1"/morvane_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { echo "expected one morvane_*.deb in $1" >&2; exit 1; }
deb=${debs[0]}

lintian --fail-on error --display-info "$deb"
echo "lintian: no errors in $(basename "$deb")"

version=$(dpkg-deb -f "$deb" Version)
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
changelog_version=$(zcat "$unpacked"/usr/share/doc/morvane/changelog.gz |
  sed -n '1s/^morvane (\([^)]*\)).*/\1/p')
metainfo_version=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' \
  "$unpacked"/usr/share/metainfo/*.metainfo.xml | head -n 1)
if [[ $changelog_version != "$version" || $metainfo_version != "$version" ]]; then
  echo "the package is version $version, but its newest release notes are for" \
    "'$changelog_version' (packaging/changelog) and '$metainfo_version'" \
    "(packaging/morvane.metainfo.xml.in)" >&2
  exit 1
fi
echo "release notes name version $version"
