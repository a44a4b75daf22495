#!/usr/bin/env bash
# Installs the Debian packages petsim needs, only those that are missing. Needs root (apt-get,
# or sudo) when anything is missing. Made for Debian 12 (bookworm); works on Debian 13 (trixie).
#
#   install-deps.sh run      building and running the program (`make run`, `make install`)
#   install-deps.sh package  the same, and what `make deb` needs to build the Debian package
#   install-deps.sh test     all of the above, and the test and benchmark toolchain (`make test`),
#                            with the Windows cross compiler and Wine (32-bit: the i386 architecture
#                            is added to dpkg for wine32)
#
# The clang and compiler-rt packages (the loader's fuzzer) are those of the release's default
# clang: clang-14 on Debian 12, clang-19 on Debian 13.
set -euo pipefail

set_name=${1:-test}

run_packages=(
  build-essential cmake pkg-config
  libcairo2-dev libgtk-3-dev
  fonts-wqy-microhei
)
package_packages=(dpkg-dev file)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xcompmgr openbox metacity icewm xfwm4 dbus-daemon wmctrl xdotool imagemagick x11-utils python3
  desktop-file-utils
  g++-multilib clang
  qemu-user
  googletest g++-mingw-w64-i686-posix
)
# 32-bit Windows programs run under Wine only with wine32, a package of the i386 architecture.
wine_packages=(wine wine32:i386)

case "$set_name" in
  run) packages=("${run_packages[@]}") ;;
  package) packages=("${run_packages[@]}" "${package_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${package_packages[@]}" "${test_packages[@]}") ;;
  *)
    echo "usage: install-deps.sh run|package|test" >&2
    exit 2
    ;;
esac

if [ -r /etc/os-release ]; then
  # shellcheck disable=SC1091
  . /etc/os-release
  if [ "${ID:-}" != debian ] || { [ "${VERSION_ID:-}" != 12 ] && [ "${VERSION_ID:-}" != 13 ]; }; then
    echo "install-deps.sh: made for Debian 12 and 13, this is ${PRETTY_NAME:-an unknown system}; trying anyway" >&2
  fi
fi

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

missing_of() {
  local p
  missing=()
  for p in "$@"; do
    installed "$p" || missing+=("$p")
  done
}

sudo=""
updated=false
as_root() {
  if [ "$(id -u)" -ne 0 ] && [ -z "$sudo" ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "install-deps.sh: not root and sudo is missing; install as root: apt-get install $*" >&2
      exit 1
    fi
    sudo="sudo"
  fi
  $sudo "$@"
}
update_once() {
  if ! $updated; then
    as_root apt-get update -qq
    updated=true
  fi
}
install_packages() {
  echo "Installing: $*"
  update_once
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@"
}
# Wine is installed as it was tried: with the packages it recommends.
install_packages_with_recommends() {
  echo "Installing: $*"
  update_once
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@"
}

missing_of "${packages[@]}"
if [ ${#missing[@]} -gt 0 ]; then
  install_packages "${missing[@]}"
fi

# Wine for the Windows build's tests: the i386 architecture first, then a fresh package list.
if [ "$set_name" = test ]; then
  missing_of "${wine_packages[@]}"
  if [ ${#missing[@]} -gt 0 ]; then
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      as_root dpkg --add-architecture i386
      updated=false
    fi
    install_packages_with_recommends "${missing[@]}"
  fi
fi

# The fuzzer's runtime (libclang_rt.fuzzer and the sanitizers) comes in the compiler-rt package
# of the same version as the clang installed: found by asking apt which clang-N `clang` is.
if [ "$set_name" = test ]; then
  clang_version() {
    apt-cache depends clang 2>/dev/null | sed -n 's/^ *Depends: clang-\([0-9][0-9]*\)$/\1/p' | head -n 1
  }
  version=$(clang_version)
  if [ -z "$version" ]; then
    update_once
    version=$(clang_version)
  fi
  if [ -z "$version" ]; then
    echo "install-deps.sh: cannot tell which clang-N the clang package installs" >&2
    exit 1
  fi
  missing_of "libclang-rt-$version-dev"
  if [ ${#missing[@]} -gt 0 ]; then
    install_packages "${missing[@]}"
  fi
fi
