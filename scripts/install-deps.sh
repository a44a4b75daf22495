#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running petsim need,
# only those that are missing. Needs root (apt-get) when anything is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libcairo2-dev libgtk-3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-wqy-microhei
  xvfb xcompmgr openbox xdotool imagemagick x11-utils python3 desktop-file-utils metacity icewm xfwm4 dbus-daemon
  g++-multilib clang libclang-rt-14-dev
  qemu-user
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "install-deps.sh: not root and sudo is missing; install as root: apt-get install ${missing[*]}" >&2
    exit 1
  fi
  sudo="sudo"
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
