# The Debian 11 (bullseye) roots that the Qt 5 packages are built and tried
# in, under build/compat-root: "base", a minimal system with the arm64
# architecture added (what a user's system starts from), and "build", base
# with the compilers and libraries. Each is made once, and again when what it
# is made from changes. Commands run in a root through bubblewrap, which
# mounts /proc and /dev for them alone: nothing stays mounted when they end,
# however they end. Source it; needs root.

compat_roots=build/compat-root
compat_base=$compat_roots/base
compat_build=$compat_roots/build

# What the build root holds besides the base: the native (amd64) tool chain
# and Qt 5, the arm64 cross compiler with arm64 Qt 5, and qemu to run the arm64
# tests. The fonts lay the window out as on a user's desktop.
compat_build_packages=(
  g++ cmake ninja-build dpkg-dev file
  qtbase5-dev libgtest-dev fonts-arphic-uming
  g++-aarch64-linux-gnu qtbase5-dev:arm64 libgtest-dev:arm64 qemu-user-static
)

# The Debian mirror that this machine's apt sources name.
compat_mirror() {
  apt-cache policy | awk '$2 ~ /^https?:\/\/.*\/debian\/?$/ && $3 ~ /\/main$/ {print $2; exit}'
}

# Runs a command as root in the root $1, with the repository at its own path
# and the host's name servers. Options for bwrap may come before the command.
# Without CAP_SYS_ADMIN nothing in the root can mount anything, so no package
# can register binary formats (qemu's) with the host's kernel.
in_root() {
  local root=$1
  shift
  bwrap --bind "$root" / --proc /proc --dev /dev --perms 1777 --tmpfs /tmp \
    --ro-bind /etc/resolv.conf /etc/resolv.conf --bind "$PWD" "$PWD" --chdir "$PWD" \
    --unshare-pid --die-with-parent --cap-drop CAP_SYS_ADMIN \
    --setenv PATH /usr/sbin:/usr/bin:/sbin:/bin --setenv HOME /root --setenv LC_ALL C.UTF-8 \
    --setenv DEBIAN_FRONTEND noninteractive "$@"
}

# Makes the root $1 with make_$2 unless it exists with the same recipe,
# $3; a root half made is made again. The recipe is kept in the root.
compat_make_root() {
  local root=$1 maker=$2 recipe=$3
  [[ -f $root/.morvane-recipe && $(<"$root/.morvane-recipe") == "$recipe" ]] && return
  rm -rf --one-file-system "$root" "$root.new"
  "$maker" "$root.new"
  echo "$recipe" >"$root.new/.morvane-recipe"
  mv "$root.new" "$root"
}

compat_make_base() {
  local mirror
  mirror=$(compat_mirror)
  # debootstrap mounts /proc in the root while it works: in a mount namespace
  # of its own, that mount goes when debootstrap does, whatever stops it.
  unshare --mount --propagation private \
    debootstrap --variant=minbase bullseye "$1" "${mirror:-http://deb.debian.org/debian}" >/dev/null
  in_root "$1" sh -c 'dpkg --add-architecture arm64 && apt-get -qq update'
  in_root "$1" apt-get -qq clean
}

compat_make_build() {
  cp -a "$compat_base" "$1"
  in_root "$1" apt-get -qq -o Dpkg::Use-Pty=0 install --no-install-recommends \
    "${compat_build_packages[@]}" >/dev/null
}

# Makes the base and the build root where they are missing or out of date.
compat_roots() {
  mkdir -p "$compat_roots"
  compat_make_root "$compat_base" compat_make_base "bullseye minbase arm64 $(compat_mirror)"
  compat_make_root "$compat_build" compat_make_build \
    "$(<"$compat_base/.morvane-recipe") ${compat_build_packages[*]}"
}
