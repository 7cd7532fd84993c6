#!/usr/bin/env bash
# Runs lintian on the built package, failing on its errors only, checks that
# the package's changelog and AppStream release notes name its version, that
# it carries the user guide, which the manual page names, and that its
# program is built with Debian's hardening.
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
    "'$changelog_version' (packaging/debian/changelog) and '$metainfo_version'" \
    "(packaging/debian/morvane.metainfo.xml.in)" >&2
  exit 1
fi
echo "release notes name version $version"

guide=$unpacked/usr/share/doc/morvane/guide.html
"$(dirname "$0")"/../../../docs/guide/tests/check_guide.sh "$guide"
zcat "$unpacked"/usr/share/man/man1/morvane.1.gz | grep -q 'guide\.html' ||
  { echo "the manual page does not name the user guide" >&2; exit 1; }

# Debian's hardening as scripts/package.sh asks for it, checked in the
# packaged program: position-independent, stack protector, read-only
# relocations and immediate binding. Control-flow protection is not among
# the flags that this Debian's dpkg-buildflags gives.
#
# Fortify shows in a program only where the compiler knows a call's
# destination size and calls a checking variant instead; this program's few
# fortifiable calls (memcpy, memset, memmove, read) all go to buffers of a
# size known only at run time, so hardening-check finds "only unprotected
# functions" however the program is compiled. Instead every compile command
# of the package's build has to define _FORTIFY_SOURCE.
hardening-check --nofortify --nocfprotection "$unpacked"/usr/bin/morvane
commands=$1/compile_commands.json
[[ $(grep -c '"command"' "$commands") -gt 0 ]] || { echo "no compile commands in $commands" >&2; exit 1; }
if grep '"command"' "$commands" | grep -v -E -e '-D_FORTIFY_SOURCE=[23]( |")'; then
  echo "these compile commands in $commands leave _FORTIFY_SOURCE undefined" >&2
  exit 1
fi
echo "every compile command defines _FORTIFY_SOURCE"
