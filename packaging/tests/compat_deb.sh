#!/usr/bin/env bash
# Checks that a Qt 5 package installs and runs on the oldest desktops it is
# for, glibc 2.28 and Qt 5.11 (UOS 20): its program asks for no glibc symbol
# newer than 2.28 and for nothing of the system's libstdc++, and its Depends
# for no libc6 newer than 2.28 and no Qt 5 library newer than 5.11. Then runs
# lintian on it, failing on its errors only.
#
# Usage: compat_deb.sh DEB
set -euo pipefail

deb=$1
oldest_glibc=2.28
oldest_qt=5.11
fail() { echo "FAILED: $(basename "$deb"): $*" >&2; exit 1; }

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
program=$unpacked/usr/bin/morvane

# readelf reads the dynamic symbols of every architecture's programs.
versions=$(readelf --dyn-syms -W "$program" | grep -o '@GLIBC_[0-9.]*' | sed 's/@GLIBC_//' | sort -uV)
newest=$(tail -n 1 <<<"$versions")
[[ -n $newest ]] || fail "its program asks for no versioned glibc symbol at all"
dpkg --compare-versions "$newest" le "$oldest_glibc" ||
  fail "its program needs glibc $newest: $(readelf --dyn-syms -W "$program" | grep -o "[^ ]*@GLIBC_$newest" | sort -u | tr '\n' ' ')"
if readelf -d "$program" | grep -q 'NEEDED.*libstdc++' ||
  readelf --dyn-syms -W "$program" | grep -q -e '@GLIBCXX_' -e '@CXXABI_'; then
  fail "its program needs the system's libstdc++"
fi
echo "$(basename "$deb"): its program needs glibc $newest at most, and no libstdc++"

# Each alternative of each dependency: "name (>= version)", or a name alone.
depends=$(dpkg-deb -f "$deb" Depends)
while read -r name version; do
  case $name in
    libc6) limit=$oldest_glibc ;;
    libqt5*) limit=$oldest_qt ;;
    *) continue ;;
  esac
  # 5.11 stands for every 5.11.x release, which the symbol files may name.
  [[ -z $version ]] || dpkg --compare-versions "$version" lt "$limit.99" ||
    fail "Depends asks for $name $version, newer than $limit: $depends"
done < <(tr ',|' '\n\n' <<<"$depends" | sed -E 's/^ *([^ ]+)( \([<>=]+ ([^)]+)\))?.*/\1 \3/')
echo "$(basename "$deb"): Depends: $depends"

lintian --fail-on error "$deb"
echo "$(basename "$deb"): lintian finds no errors"
