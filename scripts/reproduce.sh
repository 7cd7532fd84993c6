#!/usr/bin/env bash
# Builds the packages of the current commit twice and checks that both builds
# give the same bytes: the .deb, the program inside it, the 64- and the 32-bit
# morvane.exe, the Windows installer, the browser page and the portable zip.
# Each build runs scripts/package.sh in a fresh clone of the commit, in
# folders of different path lengths, minutes
# apart, and under a different time zone, locale, umask and, as root, host
# name. Prints every artifact's sha256 from both builds; where they differ,
# diffoscope says how, and the exit status is 1. Uncommitted changes are not
# built.
#
# Usage: reproduce.sh [--keep]   (--keep leaves the two builds in place)
set -euo pipefail
cd "$(dirname "$0")/.."

keep=false
if [[ "${1:-}" == --keep ]]; then keep=true; fi
scripts/deps.sh reproduce

commit=$(git rev-parse HEAD)
git diff --quiet HEAD || echo "note: uncommitted changes are not built, only commit $commit" >&2
started=$SECONDS

work=$(mktemp -d "${TMPDIR:-/tmp}/morvane-reproduce.XXXXXX")
if $keep; then
  trap 'echo "the builds are in $work"' EXIT
else
  trap 'rm -rf "$work"' EXIT
fi

# build FOLDER HOSTNAME UMASK ENV...: clones the commit into FOLDER and runs
# scripts/package.sh there with the environment ENV.
build() {
  local dir=$1 host=$2 mask=$3
  shift 3
  git clone -q --no-checkout "$PWD" "$dir"
  git -C "$dir" -c advice.detachedHead=false checkout -q --detach "$commit"
  # Each build compiles for itself: cached objects would hide a compiler run
  # that gives other bytes.
  local run=(env CCACHE_DISABLE=1 "$@" bash -c "umask $mask && scripts/package.sh >/dev/null")
  echo "building $commit in $dir ($*, umask $mask)"
  if [[ $(id -u) -eq 0 ]] && unshare --uts true 2>/dev/null; then
    # shellcheck disable=SC2016 # the inner shell expands them
    (cd "$dir" && unshare --uts bash -c 'hostname "$0" && exec "$@"' "$host" "${run[@]}")
  else
    (cd "$dir" && "${run[@]}")
  fi
}
first=$work/a
second=$work/second-build-in-a-longer-folder
build "$first" morvane-build-a 022 TZ=UTC LC_ALL=C.UTF-8
build "$second" another-build-host 002 TZ=Etc/GMT-14 LC_ALL=zh_CN.UTF-8

# The program inside each package.
for dir in "$first" "$second"; do
  dpkg-deb -x "$dir"/build/package/morvane_*.deb "$dir/unpacked"
done

artifacts=(
  "build/package/$(basename "$first"/build/package/morvane_*.deb)"
  unpacked/usr/bin/morvane
  build/windows/ui/win32/morvane.exe
  build/windows-x86/ui/win32/morvane.exe
  "build/windows/$(basename "$first"/build/windows/Morvane-*-setup.exe)"
  "build/windows/$(basename "$first"/build/windows/Morvane-*-portable.zip)"
  "build/windows/$(basename "$first"/build/windows/Morvane-[0-9]*[0-9].html)"
)
differ=()
for artifact in "${artifacts[@]}"; do
  sum_first=$(sha256sum <"$first/$artifact" | cut -d ' ' -f 1)
  sum_second=$(sha256sum <"$second/$artifact" 2>/dev/null | cut -d ' ' -f 1 || true)
  if cmp -s "$first/$artifact" "$second/$artifact"; then
    verdict=same
  else
    verdict=DIFFERENT
    differ+=("$artifact")
  fi
  printf '%s\n  %s\n  %s  %s\n' "$artifact" "$sum_first" "${sum_second:-missing}" "$verdict"
done

for artifact in "${differ[@]}"; do
  echo
  echo "diffoscope $artifact (the first 200 lines):"
  (cd "$work" && diffoscope --text - --no-progress \
    "$(basename "$first")/$artifact" "$(basename "$second")/$artifact" | head -n 200) || true
done
echo
echo "built twice and compared in $((SECONDS - started)) s"
if [[ ${#differ[@]} -gt 0 ]]; then
  echo "FAILED: ${#differ[@]} of ${#artifacts[@]} artifacts differ between the builds" >&2
  exit 1
fi
echo "all ${#artifacts[@]} artifacts are identical"
