#!/usr/bin/env bash
# Installs a Qt 5 package as a user would, with apt-get, into a fresh copy of
# a root (Debian 11 for amd64 and arm64, a forky loong64 system for loong64)
# that apt-get gave its dependencies from the archive (below); checks that
# its menu entry, icons, AppStream data, manual page and user guide are in
# place; then uses the installed program on Xvfb as window_e2e.sh does:
# converts one number and a list file, and closes it through the exit
# confirmation, and sees it scaled on a screen of 144 dpi. The arm64 and
# loong64 programs run under qemu: the loong64 root is all loong64, so its
# every program does, through a binfmt_misc of its own. Needs root and the roots of tools/roots/roots.sh.
#
# Usage: installed.sh DEB
set -euo pipefail
deb=$(realpath "$1")
cd "$(dirname "$0")/../../.."
source tools/roots/roots.sh

arch=$(dpkg-deb -f "$deb" Architecture)
fail() { echo "FAILED: $(basename "$deb"): $*" >&2; exit 1; }

root=$PWD/build/compat-installed-$arch
work=$(mktemp -d)
clean_up() {
  rm -rf --one-file-system "$root" "$work"
}
trap clean_up EXIT
rm -rf --one-file-system "$root"
# Commands in a root: loong64's every program runs under qemu.
if [[ $arch == loong64 ]]; then
  base=$loong64_base
  in_root_of() { root_exec_ids "$1" env DEBIAN_FRONTEND=noninteractive "${@:2}"; }
else
  base=$compat_base
  in_root_of() { in_root "$@"; }
fi
in_installed() { in_root_of "$root" "$@"; }

# The package's dependencies take minutes to install, loong64's under qemu.
# A root that has them is made once for each set of the package's
# relationships: the bare root, the package installed into it with apt-get
# as below, then removed alone. The arm64 root takes qemu to run the program.
# (root_make runs it where a failing step would not stop it: hence the &&.)
installed_deps_make() {
  cp -a "$base" "$1" &&
    in_root_of "$1" apt-get -y -q -o Dpkg::Use-Pty=0 install "$deb" &&
    in_root_of "$1" dpkg --purge morvane &&
    { [[ $arch != arm64 ]] || in_root_of "$1" apt-get -y -q -o Dpkg::Use-Pty=0 install \
      --no-install-recommends qemu-user-static; } &&
    in_root_of "$1" apt-get -qq clean
}
root_make "installed-deps-$arch" installed_deps_make "$(md5sum <"$base/.morvane-recipe")" \
  "$(dpkg-deb -f "$deb" Pre-Depends Depends Recommends)"
cp -a "$(root_path "installed-deps-$arch")" "$root"
in_installed apt-get -y -q -o Dpkg::Use-Pty=0 install "$deb" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; fail "apt-get could not install it"; }
# The installed program on the caller's X server: the host's /tmp holds the
# server's socket and the test's list files.
case $arch in
  loong64) launch="root_exec '$root' env QT_QPA_PLATFORM=xcb /usr/bin/morvane" ;;
  arm64) launch="in_root '$root' --bind /tmp /tmp --setenv QT_QPA_PLATFORM xcb qemu-aarch64-static /usr/bin/morvane" ;;
  *) launch="in_root '$root' --bind /tmp /tmp --setenv QT_QPA_PLATFORM xcb /usr/bin/morvane" ;;
esac
echo "$(basename "$deb"): installed, $(in_installed dpkg-query -W -f='${Installed-Size}' morvane) KiB"

id=io.github.morvane.Morvane
for file in usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
  usr/share/man/man1/morvane.1.gz usr/share/icons/hicolor/scalable/apps/$id.svg \
  usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/$id.png \
  usr/share/doc-base/morvane; do
  [[ -s $root/$file ]] || fail "/$file is missing"
done
docs/guide/tests/check_guide.sh "$root/usr/share/doc/morvane/guide.html"
grep -qx 'Exec=morvane' "$root/usr/share/applications/$id.desktop" ||
  fail "the menu entry does not start morvane"

cat >"$work/morvane" <<EOF
#!/usr/bin/env bash
cd "$PWD"
source tools/roots/roots.sh
$launch
EOF
chmod +x "$work/morvane"
tools/display/with_xvfb.sh ui/qt/tests/window_e2e.sh "$work/morvane" ||
  fail "the installed program did not pass the window test"
echo "$(basename "$deb"): the installed program converted a number and a list, and closed"

# On a Wayland session with XWayland, as a desktop starts it (no
# QT_QPA_PLATFORM), it asks for X11 first: an X11 window with the close box
# only. The root has no Qt Wayland plugin, as many a UOS or Kylin system.
if [[ $arch == amd64 ]]; then
  sed 's/ --setenv QT_QPA_PLATFORM xcb//' "$work/morvane" >"$work/morvane-session"
  chmod +x "$work/morvane-session"
  tools/display/with_xvfb.sh ui/qt/tests/wayland.sh "$work/morvane-session" xwayland >/dev/null ||
    fail "on a Wayland session, the installed program did not open its X11 window"
  echo "$(basename "$deb"): on a Wayland session, an X11 window with the close box only"
fi

# On a screen of 144 dpi, as the desktop's font setting Xft.dpi tells it, the
# window is one and a half times its size at 96 dpi, as the Qt 6 program's is.
window_size() {
  echo "Xft.dpi: $1" | xrdb -merge
  "$work/morvane" >/dev/null 2>&1 &
  local pid=$! window
  window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Morvane$' | head -n 1)
  xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p'
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  # Gone before the next one opens, not to be taken for it.
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name '^Morvane$' >/dev/null 2>&1 || break
    sleep 0.1
  done
}
export -f window_size
export work
sizes=$(tools/display/with_xvfb.sh bash -c 'window_size 96; window_size 144')
read -r width height scaled_width scaled_height <<<"$(tr 'x\n' '  ' <<<"$sizes")"
# Within a pixel: an odd size has no whole half.
off_by() { local d=$(($1 * 3 - $2 * 2)); echo $((d < 0 ? -d : d)); }
[[ $(off_by "$width" "$scaled_width") -le 2 && $(off_by "$height" "$scaled_height") -le 2 ]] ||
  fail "the window is ${width}x$height at 96 dpi but ${scaled_width}x$scaled_height at 144 dpi"
echo "$(basename "$deb"): the window is ${width}x$height at 96 dpi, ${scaled_width}x$scaled_height at 144 dpi"
