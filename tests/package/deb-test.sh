#!/usr/bin/env bash
# The Debian package as a user meets it: built with CPack from this build, installed with apt,
# run (--version and a replay on a copy of the installed data folder) and removed again; the
# system is left as it was, also when a step fails.
# Usage: deb-test.sh BUILD_DIR WORK_DIR (WORK_DIR is made afresh and removed afterwards).
#
# It installs into the system: it runs only as root and only when asked, with CI=true (as .ci/run
# does) or PETSIM_TEST_SYSTEM_INSTALL=1; otherwise it is skipped (status 77). It is skipped as well
# when a petsim package is installed already: that one is not ours to replace.
set -euo pipefail
build_dir=$(cd "$1" && pwd)
work=$2

skip() {
  echo "deb-test: SKIPPED: $*"
  exit 77
}
if [ "${CI:-}" != true ] && [ "${PETSIM_TEST_SYSTEM_INSTALL:-}" != 1 ]; then
  skip "installs a package system-wide; runs with CI=true or PETSIM_TEST_SYSTEM_INSTALL=1 (as root)"
fi
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
for tool in cpack apt-get dpkg-deb dpkg-query file; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done
if dpkg-query -W -f='${Status}' petsim 2>/dev/null | grep -q 'installed'; then
  skip "a petsim package is installed already"
fi

rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)

installed_by_us=false
cleanup() {
  local status=$?
  if $installed_by_us && dpkg-query -W -f='${Status}' petsim 2>/dev/null | grep -q 'installed'; then
    echo "deb-test: removing the package after a failure"
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq petsim >/dev/null 2>&1 ||
      dpkg --purge petsim >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT

fail() {
  echo "deb-test: FAILED: $*" >&2
  exit 1
}

# The package, into the work folder (not the build folder's own package place).
cpack --config "$build_dir/CPackConfig.cmake" -G DEB -B "$work/package" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
deb=$(find "$work/package" -maxdepth 1 -name 'petsim_*.deb' | head -n 1)
[ -n "$deb" ] || fail "cpack made no petsim_*.deb"
echo "deb-test: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# What the package holds and what it asks for.
depends=$(dpkg-deb -f "$deb" Depends)
depends_names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
# Debian 13 renamed some libraries in the 64-bit time transition (libgtk-3-0t64).
for needed in fonts-wqy-microhei libgtk-3-0 libcairo2 libc6 libstdc++6; do
  grep -qxF -e "$needed" -e "${needed}t64" <<<"$depends_names" || fail "Depends lacks $needed: $depends"
done
dpkg-deb -c "$deb" >"$work/contents.txt"
for file in ./usr/bin/petsim ./usr/share/applications/petsim.desktop \
            ./usr/share/icons/hicolor/128x128/apps/petsim.png ./usr/share/petsim/data/UI/text1.png \
            ./usr/share/petsim/data/召唤兽/数据/1/Data.txt; do
  grep -q " $file\$" "$work/contents.txt" || fail "the package lacks $file"
done
! grep -q '/\.keep$' "$work/contents.txt" || fail "the package holds .keep files"
dpkg-deb -x "$deb" "$work/unpacked"
file "$work/unpacked/usr/bin/petsim" | grep -q ', stripped' || fail "the program in the package is not stripped"

# Installed by apt, as a user would; everything it depends on is on the machine already.
installed_by_us=true
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; fail "apt-get install of the package"; }
[ -x /usr/bin/petsim ] || fail "/usr/bin/petsim is not installed"
/usr/bin/petsim --version | grep -Eq '^petsim [0-9]+\.[0-9]+' || fail "petsim --version"

# A wash on a copy of the installed default data folder, replayed without a display.
cp -r /usr/share/petsim/data "$work/data"
before=$(cat "$work/data/召唤兽/数据/1/Data.txt")
printf 'click main 800 550\n' >"$work/wash.txt"
(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY HOME="$work/home" \
   petsim --headless --replay "$work/wash.txt" --clock 1234 "$work/data" >"$work/run.out" 2>&1) ||
  { cat "$work/run.out"; fail "the installed program's replay"; }
[ "$(cat "$work/data/召唤兽/数据/1/Data.txt")" != "$before" ] || fail "the replayed wash wrote nothing"
[ ! -e "$work/home" ] || fail "the replay on a given folder made a per-user folder"

# Removed by apt: nothing of it is left, and dpkg forgets it (no configuration files to keep).
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq petsim >"$work/remove.log" 2>&1 ||
  { cat "$work/remove.log"; fail "apt-get remove petsim"; }
installed_by_us=false
for path in /usr/bin/petsim /usr/share/petsim /usr/share/applications/petsim.desktop \
            /usr/share/icons/hicolor/128x128/apps/petsim.png; do
  [ ! -e "$path" ] || fail "$path is left after apt-get remove"
done
status=$(dpkg-query -W -f='${Status}' petsim 2>/dev/null || true)
case "$status" in
  "" | "unknown ok not-installed" | "deinstall ok not-installed") ;;
  *) fail "dpkg still knows the package after removal: $status" ;;
esac
echo "deb-test: the package installs, runs and removes cleanly"
