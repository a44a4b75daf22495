#!/usr/bin/env bash
# `cmake --install` of a build into a fresh prefix, and the installed program at work: it finds
# its default data folder under the prefix, fills a new user's folder from it and writes only
# there. Usage: install-test.sh BUILD_DIR SOURCE_DIR WORK_DIR (WORK_DIR is made afresh).
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
env -u DESTDIR cmake --install "$build_dir" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }

for file in bin/petsim share/petsim/data/UI/text1.png share/petsim/data/召唤兽/数据/1/Data.txt \
            share/petsim/data/召唤兽/头像/召唤兽1.png share/applications/petsim.desktop \
            share/icons/hicolor/128x128/apps/petsim.png; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
[ -x "$prefix/bin/petsim" ] || fail "bin/petsim is not executable"
cmp -s "$source_dir/assets/petsim-icon.png" "$prefix/share/icons/hicolor/128x128/apps/petsim.png" ||
  fail "the installed icon is not assets/petsim-icon.png"
desktop-file-validate "$prefix/share/applications/petsim.desktop" || fail "the desktop file does not validate"
# The menu entry starts the program by the name installed in bin/, under the icon installed.
grep -qx 'Exec=petsim' "$prefix/share/applications/petsim.desktop" || fail "the desktop file's Exec is not petsim"
grep -qx 'Icon=petsim' "$prefix/share/applications/petsim.desktop" || fail "the desktop file's Icon is not petsim"

"$prefix/bin/petsim" --version | grep -Eq '^petsim [0-9]+\.[0-9]+' || fail "petsim --version"
"$prefix/bin/petsim" --help | grep -q 'usage: petsim' || fail "petsim --help"

# A pet found only in the installed default data: a new user's folder that holds it was filled
# from the prefix, not from the source tree the program was built from.
marker='7|1111|1222|3333|1444|1055|1166|2|19|20'
mkdir -p "$prefix/share/petsim/data/召唤兽/数据/15"
printf '%s' "$marker" >"$prefix/share/petsim/data/召唤兽/数据/15/Data.txt"
installed_slot1=$(cat "$prefix/share/petsim/data/召唤兽/数据/1/Data.txt")
source_slot1=$(cat "$source_dir/data/召唤兽/数据/1/Data.txt")

home=$work/home
mkdir -p "$home" "$work/elsewhere"
# A wash of the current pet (slot 1), then the close button.
printf 'click main 800 550\n' >"$work/wash.txt"
(
  cd "$work/elsewhere"
  env -u XDG_DATA_HOME -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" \
    "$prefix/bin/petsim" --headless --replay "$work/wash.txt" --clock 1234 >"$work/run.out" 2>&1
) || { cat "$work/run.out"; fail "the installed program's replay run"; }

user=$home/.local/share/petsim
[ -d "$user/召唤兽" ] || fail "no per-user data folder at $user"
[ "$(cat "$user/召唤兽/数据/15/Data.txt" 2>/dev/null)" = "$marker" ] ||
  fail "the per-user folder was not filled from the installed default data folder"
[ "$(cat "$user/召唤兽/数据/1/Data.txt")" != "$installed_slot1" ] || fail "the wash wrote nothing to the per-user folder"
[ "$(cat "$prefix/share/petsim/data/召唤兽/数据/1/Data.txt")" = "$installed_slot1" ] ||
  fail "the run wrote into the installed default data folder"
[ "$(cat "$source_dir/data/召唤兽/数据/1/Data.txt")" = "$source_slot1" ] || fail "the run wrote into the source tree"
[ -z "$(ls -A "$work/elsewhere")" ] || fail "the run wrote into the folder it was started in"
echo "install-test: the installed program, data folder, desktop file and icon work"
