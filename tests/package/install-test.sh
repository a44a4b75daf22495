#!/usr/bin/env bash
# `make install` and `make uninstall` (scripts/install.sh and scripts/uninstall.sh) into a fresh
# prefix: the program is stripped, no .keep file is installed, and the uninstall removes exactly
# what was installed. Usage: install-test.sh BUILD_DIR SOURCE_DIR WORK_DIR (made afresh).
set -euo pipefail
build_dir=$(cd "$1" && pwd)
source_dir=$(cd "$2" && pwd)
work=$3
rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)

fail() {
  echo "install-test: FAILED: $*" >&2
  exit 1
}

prefix=$work/prefix
manifest=$work/manifest.txt
# Something of another program under the same prefix, which the uninstall must leave alone.
mkdir -p "$prefix/share/applications" "$prefix/bin"
echo other >"$prefix/share/applications/other.desktop"
echo other >"$prefix/bin/other"

env -u DESTDIR "$source_dir/scripts/install.sh" "$build_dir" "$prefix" "$manifest" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; fail "install.sh"; }
[ -s "$manifest" ] || fail "no manifest was kept"
file "$prefix/bin/petsim" | grep -q ', stripped' || fail "the installed program is not stripped"
[ -z "$(find "$prefix" -name .keep)" ] || fail ".keep files were installed"
grep -q '/\.keep$' "$manifest" && fail "the manifest lists .keep files"
for file in bin/petsim share/petsim/data/UI/text1.png share/applications/petsim.desktop \
            share/icons/hicolor/128x128/apps/petsim.png; do
  grep -qx "$prefix/$file" "$manifest" || fail "the manifest lacks $file"
done
"$prefix/bin/petsim" --version | grep -q '^petsim ' || fail "the stripped program does not run"

"$source_dir/scripts/uninstall.sh" "$manifest" >"$work/uninstall.log" 2>&1 ||
  { cat "$work/uninstall.log"; fail "uninstall.sh"; }
left=$(cd "$prefix" && find . -type f | sort)
[ "$left" = "$(printf './bin/other\n./share/applications/other.desktop')" ] ||
  fail "after the uninstall the prefix holds: $left"
[ ! -e "$prefix/share/petsim" ] || fail "share/petsim is left after the uninstall"
[ ! -e "$manifest" ] || fail "the manifest is left after the uninstall"
rm -rf "$work"
echo "install-test: make install and make uninstall work"
