# Makes and enters every Debian root this project builds, tests or runs
# foreign programs in. A root is named by its recipe (suite, architecture,
# packages and the steps that make it), made once and cached under
# $MORVANE_CACHE (/var/cache/morvane by default) for every clone on the
# machine, and made again when its recipe changes. Programs of an
# architecture the kernel cannot run (i386 on a kernel without IA-32
# emulation, loong64) run under Debian 13's static qemu, registered in a
# binfmt_misc private to a user namespace: nothing on the machine changes, and
# no process outside sees it. Source it; needs root.
#
#   root_make NAME MAKER [ARG...]           makes the root where missing
#   root_path NAME                          where it is
#   root_debootstrap ROOT SUITE ARCH [PACKAGE...]   the maker of plain roots
#   in_root ROOT [BWRAP-OPTION...] CMD...   a command in a native root, boxed
#   root_exec ROOT CMD...                   a command in any root, exec'd

morvane_cache=${MORVANE_CACHE:-/var/cache/morvane}
root_repository=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root_repository/tools/quiet.sh"

# The Debian mirror that this machine's apt sources name.
root_mirror() {
  local mirror
  mirror=$(apt-cache policy | awk '$2 ~ /^https?:\/\/.*\/debian\/?$/ && $3 ~ /\/main$/ {print $2; exit}')
  echo "${mirror:-http://deb.debian.org/debian}"
}

# The qemu program for Debian architecture $1, from Debian 13's qemu-user,
# whose programs are linked statically: fetched once with an apt of its own
# (its own source list, index and cache), which leaves the machine's apt as it
# is. Debian 12's qemu 7.2 is too slow for wine and crashes in wineboot.
root_qemu() {
  local dir=$morvane_cache/qemu-trixie
  local apt=(-o Dir::Etc::SourceList="$dir/sources.list" -o Dir::Etc::SourceParts=-
    -o Dir::State::Lists="$dir/lists" -o Dir::Cache="$dir/cache" -o Dir::State::Status=/dev/null
    -o APT::Architectures::=amd64)
  if [[ ! -x $dir/usr/bin/qemu-i386 ]]; then
    mkdir -p "$dir/lists/partial" "$dir/cache/archives/partial"
    echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $(root_mirror) trixie main" \
      >"$dir/sources.list"
    apt-get -qq "${apt[@]}" update >/dev/null
    (cd "$dir/cache" && apt-get -qq "${apt[@]}" download qemu-user >/dev/null)
    dpkg-deb -x "$dir"/cache/qemu-user_*.deb "$dir.new"
    rm -rf "$dir/usr" && mv "$dir.new/usr" "$dir/usr" && rm -rf "$dir.new" "$dir"/cache/*.deb
  fi
  case $1 in
    i386) echo "$dir/usr/bin/qemu-i386" ;;
    loong64) echo "$dir/usr/bin/qemu-loongarch64" ;;
    *) echo "no qemu for $1" >&2; return 1 ;;
  esac
}

# The ELF header that binfmt_misc knows each architecture's programs by, as
# qemu's own qemu-binfmt-conf.sh registers them: magic, then mask.
declare -A root_elf_magic=(
  [i386]='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  [loong64]='\x7fELF\x02\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x02\x01'
)
declare -A root_elf_mask=(
  [i386]='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  [loong64]='\xff\xff\xff\xff\xff\xff\xff\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
)

# What root_enter writes to binfmt_misc's register, one registration a line,
# for the programs of ROOT's architecture and of those added to its dpkg that
# qemu is known for (i386 beside amd64, for a 64-bit wine that runs 32-bit
# programs too): nothing where the kernel runs them itself. Flag F opens qemu
# now, so that it works inside the root; O and C as qemu's own.
root_binfmt() {
  local own foreign arch
  own=$(<"$1/.morvane-arch")
  foreign=$(dpkg --admindir="$1/var/lib/dpkg" --print-foreign-architectures 2>/dev/null)
  for arch in $own $foreign; do
    [[ $arch == "$own" || -n ${root_elf_magic[$arch]:-} ]] || continue
    case $arch in
      amd64) continue ;;
      i386) ! "$(dirname "${BASH_SOURCE[0]}")/runs_32bit.sh" || continue ;;
    esac
    printf '%s\n' ":qemu-$arch:M::${root_elf_magic[$arch]}:${root_elf_mask[$arch]}:$(root_qemu "$arch"):FOC"
  done
}

root_path() { echo "$morvane_cache/roots/$1"; }

# Makes the root NAME with MAKER (called as MAKER NEW-ROOT ARG...) unless the
# cache holds it with the same recipe: the maker's arguments and code, and
# the mirror. A root half made is made again, and one whose maker failed is
# not kept. One maker at a time, among all clones on the machine.
root_make() {
  local name=$1
  shift
  local root recipe
  root=$(root_path "$name")
  recipe="$(root_mirror) $* $(declare -f "$1" root_debootstrap | md5sum)"
  mkdir -p "$morvane_cache/roots"
  (
    flock 9
    [[ -f $root/.morvane-recipe && $(<"$root/.morvane-recipe") == "$recipe" ]] && exit 0
    rm -rf --one-file-system "$root" "$root.new"
    echo "Making the Debian root $name, once for this machine (a few minutes)"
    if ! quiet "$1" "$root.new" "${@:2}"; then
      echo "Making the Debian root $name failed" >&2
      rm -rf --one-file-system "$root.new"
      exit 1
    fi
    echo "$recipe" >"$root.new/.morvane-recipe" && mv "$root.new" "$root"
  ) 9>"$morvane_cache/roots/$name.lock"
}

# debootstrap's first stage on the machine, its second in the root, under
# qemu where the kernel cannot run the root's programs. Debian's later suites
# take sid's script, which bookworm's debootstrap has. Where the root has the
# locales, it gets the Chinese one, which wine's code page comes from.
root_debootstrap() {
  local root=$1 suite=$2 arch=$3
  shift 3
  local script=()
  [[ -e /usr/share/debootstrap/scripts/$suite ]] || script=(/usr/share/debootstrap/scripts/sid)
  local include=()
  [[ $# -gt 0 ]] && include=(--include="$(IFS=,; echo "$*")")
  # debootstrap mounts /proc in the root while it works: in a mount namespace
  # of its own, that mount goes when debootstrap does, whatever stops it.
  unshare --mount --propagation private debootstrap --foreign --arch="$arch" --variant=minbase \
    "${include[@]}" "$suite" "$root" "$(root_mirror)" "${script[@]}" >/dev/null || return
  echo "$arch" >"$root/.morvane-arch"
  # The devices come from the machine (bound in), which a user namespace
  # could not make anyway.
  sed -i 's/^check_sane_mount () {$/&\n\treturn 0/' "$root/debootstrap/functions"
  root_exec_ids "$root" /debootstrap/debootstrap --second-stage >/dev/null || return
  if [[ -d $root/usr/share/i18n/charmaps ]]; then
    root_exec_ids "$root" localedef -i zh_CN -f UTF-8 zh_CN.UTF-8 || return
  fi
  root_exec_ids "$root" apt-get -qq clean
}

# Runs CMD in ROOT as root, exec'd down the whole chain (unshare, the set-up,
# chroot), so that its pid is the caller's and a signal to it reaches the
# program. A user namespace of its own, with the machine's root as its root,
# gives it a binfmt_misc of its own; the machine's /dev, /proc, /sys and /tmp
# (the X server's socket), the repository and the current folder, each at its
# own path, are bound into the root, and the command starts in that folder.
root_exec() {
  local root=$1 binfmt
  shift
  binfmt=$(root_binfmt "$root")
  exec unshare --user --map-root-user --mount --propagation private \
    bash -c "$(declare -f root_enter); root_enter \"\$@\"" root_enter "$root" "$binfmt" "$PWD" "$root_repository" "$@"
}

# root_exec in a subshell, with the machine's ids 0–65535 mapped, which
# installing packages needs (their files belong to system users and groups).
# The map is written from outside, as the machine's root may (util-linux's
# --map-users would need newuidmap and an entry in /etc/subuid). The child
# says through one fifo that it runs in its new namespaces, which is only
# then certain; the maps are written, and through a second fifo it is told
# to go on to its mounts, which need them.
root_exec_ids() {
  local root=$1
  shift
  local binfmt fifos pid ready go said=false status=0
  binfmt=$(root_binfmt "$root")
  fifos=$(mktemp -d)
  mkfifo "$fifos/ready" "$fifos/go"
  unshare --user --mount --propagation private bash -c \
    "echo >\"\$0/ready\"; read -r _ <\"\$0/go\"; $(declare -f root_enter); root_enter \"\$@\"" \
    "$fifos" "$root" "$binfmt" "$PWD" "$root_repository" "$@" &
  pid=$!
  # Opened both ways (after the fork, so that the command holds neither), no
  # open blocks the parent, whether or not the child lives to open its end.
  exec {ready}<>"$fifos/ready" {go}<>"$fifos/go"
  while kill -0 "$pid" 2>/dev/null; do
    if read -r -t 1 -u "$ready" _; then
      said=true
      break
    fi
  done
  if $said && echo '0 0 65536' >"/proc/$pid/uid_map" && echo '0 0 65536' >"/proc/$pid/gid_map"; then
    echo >&"$go"
  else
    kill "$pid" 2>/dev/null
  fi
  # Kept open until the child ends: a fifo that no one holds open loses what
  # was written to it, and the child may open its end only after the write.
  wait "$pid" || status=$?
  exec {ready}>&- {go}>&-
  rm -rf "$fifos"
  return "$status"
}

# Inside the namespaces: registers qemu (when asked) with the namespace's
# own binfmt_misc, binds the machine's folders in and execs the command in
# the root.
root_enter() {
  local root=$1 binfmt=$2 folder=$3 repository=$4
  shift 4
  set -e
  local dir
  for dir in dev proc sys tmp; do
    mount --rbind "/$dir" "$root/$dir"
  done
  if [[ -n $binfmt ]]; then
    mount -t binfmt_misc binfmt_misc "$root/proc/sys/fs/binfmt_misc"
    local registration
    while IFS= read -r registration; do
      printf '%s' "$registration" >"$root/proc/sys/fs/binfmt_misc/register"
    done <<<"$binfmt"
  fi
  for dir in "$repository" "$folder"; do
    if [[ ! -d $root$dir || $(stat -c %d:%i "$dir") != $(stat -c %d:%i "$root$dir") ]]; then
      mkdir -p "$root$dir"
      mount --rbind "$dir" "$root$dir"
    fi
  done
  # The machine's name servers, not those of the day the root was made.
  [[ ! -f $root/etc/resolv.conf ]] || mount --bind /etc/resolv.conf "$root/etc/resolv.conf"
  export PATH=/usr/sbin:/usr/bin:/sbin:/bin
  exec chroot "$root" sh -c 'cd "$0" && exec "$@"' "$folder" "$@"
}

# Runs a command as root in the native root $1, with the repository at its
# own path and the host's name servers. Options for bwrap may come before the
# command. Without CAP_SYS_ADMIN nothing in the root can mount anything, so
# no package can register binary formats (qemu's) with the host's kernel.
in_root() {
  local root=$1
  shift
  bwrap --bind "$root" / --proc /proc --dev /dev --perms 1777 --tmpfs /tmp \
    --ro-bind /etc/resolv.conf /etc/resolv.conf --bind "$PWD" "$PWD" --chdir "$PWD" \
    --unshare-pid --die-with-parent --cap-drop CAP_SYS_ADMIN \
    --setenv PATH /usr/sbin:/usr/bin:/sbin:/bin --setenv HOME /root --setenv LC_ALL C.UTF-8 \
    --setenv DEBIAN_FRONTEND noninteractive "$@"
}

# The root of the 32-bit wine (wine32) that runs the 32-bit Windows programs:
# Debian 12 i386, with the fonts and the Chinese locale of the tests.
wine32_root() {
  root_make wine-i386 root_debootstrap bookworm i386 wine wine32 locales fonts-arphic-uming
}

# The root of the 64-bit wine that runs 32-bit programs too (WoW64), as a
# 64-bit Windows does: Debian 12 amd64 with i386 added to its dpkg, wine64
# and wine32 of the same version from bookworm's main (its sources name no
# other suite, so the two architectures agree), and the fonts and the Chinese
# locale of the 32-bit wine's root. Where the kernel runs no 32-bit
# programs, the i386 half runs under qemu-i386 (root_binfmt).
wow64_packages=(wine wine64 wine32:i386 libwine:i386)
wow64_make() {
  root_debootstrap "$1" bookworm amd64 locales fonts-arphic-uming &&
    root_exec_ids "$1" dpkg --add-architecture i386 &&
    root_exec_ids "$1" apt-get -qq update &&
    root_exec_ids "$1" env DEBIAN_FRONTEND=noninteractive apt-get -qq -o Dpkg::Use-Pty=0 install \
      --no-install-recommends "${wow64_packages[@]}" >/dev/null &&
    root_exec_ids "$1" apt-get -qq clean
}

wow64_root() {
  root_make wine-wow64 wow64_make "${wow64_packages[@]}"
}

# The Debian 11 (bullseye) roots that the Qt 5 packages are built and tried
# in: "compat-base", a minimal system with the arm64 architecture added (what
# a user's system starts from), and "compat-build", the base with the
# compilers and libraries: the native (amd64) tool chain and Qt 5, the arm64
# cross compiler with arm64 Qt 5, and qemu to run the arm64 tests. The fonts
# lay the window out as on a user's desktop.
compat_base=$(root_path compat-base)
compat_build=$(root_path compat-build)
compat_build_packages=(
  g++ cmake ninja-build ccache dpkg-dev file
  qtbase5-dev libgtest-dev fonts-arphic-uming
  g++-aarch64-linux-gnu qtbase5-dev:arm64 libgtest-dev:arm64 qemu-user-static
)

compat_make_base() {
  root_debootstrap "$1" bullseye amd64 &&
    in_root "$1" sh -c 'dpkg --add-architecture arm64 && apt-get -qq update' &&
    in_root "$1" apt-get -qq clean
}

compat_make_build() {
  cp -a "$compat_base" "$1" &&
    in_root "$1" apt-get -qq -o Dpkg::Use-Pty=0 install --no-install-recommends \
    "${compat_build_packages[@]}" >/dev/null
}

# Makes the base and the build root where they are missing or out of date.
compat_roots() {
  root_make compat-base compat_make_base
  root_make compat-build compat_make_build "$(md5sum <"$compat_base/.morvane-recipe")" \
    "${compat_build_packages[@]}"
}

# The Debian forky roots of the LoongArch package, forky being the only Debian
# suite with loong64: "loong64-build", forky for amd64 with the loong64
# architecture added, the cross compiler and the loong64 Qt 5 and GoogleTest
# (multiarch), and the lintian that knows loong64; and "loong64-base", a bare forky loong64 system, what a user's
# system starts from. forky's Release file on the mirror is past its
# Valid-Until date, which apt in both is told to ignore.
loong64_build=$(root_path loong64-build)
loong64_base=$(root_path loong64-base)
loong64_build_packages=(
  g++ cmake ninja-build ccache dpkg-dev file
  g++-loongarch64-linux-gnu qtbase5-dev:loong64 libgtest-dev:loong64 fonts-arphic-uming lintian
)

loong64_apt_valid() {
  echo 'Acquire::Check-Valid-Until "false";' >"$1/etc/apt/apt.conf.d/50valid-until"
}

# Some libraries' loong64 builds carry another rebuild number than their amd64
# builds, and dpkg refuses their differing copies of the same changelog files:
# those are let through.
loong64_make_build() {
  root_debootstrap "$1" forky amd64 &&
    loong64_apt_valid "$1" &&
    in_root "$1" sh -c 'dpkg --add-architecture loong64 && apt-get -qq update' &&
    in_root "$1" apt-get -qq -o Dpkg::Use-Pty=0 -o Dpkg::Options::=--force-overwrite install \
      --no-install-recommends "${loong64_build_packages[@]}" >/dev/null &&
    in_root "$1" apt-get -qq clean
}

loong64_make_base() {
  root_debootstrap "$1" forky loong64 &&
    loong64_apt_valid "$1" &&
    root_exec_ids "$1" apt-get -qq update
}

loong64_roots() {
  root_make loong64-build loong64_make_build "${loong64_build_packages[@]}"
  root_make loong64-base loong64_make_base
}

# Every root the tests use, made where missing or out of date, for
# scripts/test.sh to make while it builds.
all_roots() {
  wine32_root
  wow64_root
  compat_roots
  loong64_roots
}
