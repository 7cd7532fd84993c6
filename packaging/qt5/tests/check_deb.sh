#!/usr/bin/env bash
# Checks that a Qt 5 package installs and runs on the oldest desktops it is
# for: glibc 2.28 and Qt 5.11 (UOS 20) for amd64 and arm64, glibc 2.38 and
# Qt 5.15 (deepin 23) for loong64. Its program asks for no glibc symbol newer
# than that and for nothing of the system's libstdc++, and its Depends for no
# newer libc6 or Qt 5 library; for loong64 every Qt library of Debian's
# ...5t64 names is offered under its older name too, which the other
# systems keep. Then runs lintian on it, failing on its errors only.
#
# Usage: check_deb.sh DEB
set -euo pipefail

deb=$1
arch=$(dpkg-deb -f "$deb" Architecture)
declare -A oldest_glibc_of=([amd64]=2.28 [arm64]=2.28 [loong64]=2.38)
# The newest Qt 5 that Depends may ask for: any 5.11.x for UOS 20; for the
# new-world systems 5.15.0, which the program is built against.
declare -A newest_qt_of=([amd64]=5.11.99 [arm64]=5.11.99 [loong64]=5.15.0)
oldest_glibc=${oldest_glibc_of[$arch]}
newest_qt=${newest_qt_of[$arch]}
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
    libc6) limit=$oldest_glibc.99 ;;
    libqt5*) limit=$newest_qt ;;
    *) continue ;;
  esac
  # 5.11.99 stands for every 5.11.x release, which the symbol files may name.
  [[ -z $version ]] || dpkg --compare-versions "$version" le "$limit" ||
    fail "Depends asks for $name $version, newer than $limit: $depends"
done < <(tr ',|' '\n\n' <<<"$depends" | sed -E 's/^ *([^ ]+)( \([<>=]+ ([^)]+)\))?.*/\1 \3/')
while read -r group; do
  [[ $group != *5t64* || $group == *"${group%%5t64*}5 "* || $group == *"${group%%5t64*}5a "* ]] ||
    fail "Depends offers no other name for $group"
done < <(tr ',' '\n' <<<"$depends")
echo "$(basename "$deb"): Depends: $depends"

# Depends covers every library the program links: Qt 5's three and glibc's.
needed=$(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' |
  grep -vE '^(libQt5(Core|Gui|Widgets)\.so\.5|lib(c|m|pthread|dl|rt)\.so\.[0-9]+|ld-linux.*)$' || true)
[[ -z $needed ]] || fail "its program links libraries that Depends does not name: $needed"

# Bookworm's lintian knows no loong64: forky's, in the build root, does.
if [[ $arch == loong64 ]]; then
  deb=$(realpath "$deb")
  cd "$(dirname "$0")/../../.."
  source tools/roots/roots.sh
  in_root "$loong64_build" lintian --fail-on error "$deb"
else
  lintian --fail-on error "$deb"
fi
echo "$(basename "$deb"): lintian finds no errors"
