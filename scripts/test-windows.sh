#!/usr/bin/env bash
# Cross-builds the 32-bit Windows program and its tests with MinGW-w64 and runs every one of
# them under Wine, in a private WINEPREFIX started once for the whole run.
# Usage: test-windows.sh SOURCE_DIR WORK_DIR
# WORK_DIR (inside the build directory) keeps the build between runs; the Wine prefix is made
# afresh for every run and removed afterwards.
set -euo pipefail

source_dir=$(cd "$1" && pwd)
work_dir=$2
mkdir -p "$work_dir"
work_dir=$(cd "$work_dir" && pwd)
build_dir="$work_dir/build"
log="$work_dir/build.log"
started=$(date +%s)

for tool in i686-w64-mingw32-g++-posix wine wineserver; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "windows: $tool is missing (scripts/install-deps.sh test installs it)" >&2
    exit 1
  fi
done

# The tool that stores the skinning library's stand-in runs during the build: build it natively.
tool="$work_dir/MakeStoredSkinLibrary"
if ! "${CXX:-c++}" -std=c++20 -O1 -I "$source_dir/src" -o "$tool" \
      "$source_dir/tools/MakeStoredSkinLibrary.cpp" "$source_dir"/src/loader/builder/*.cpp \
      >"$log" 2>&1 ||
   ! cmake -S "$source_dir/windows" -B "$build_dir" \
      -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/i686-w64-mingw32.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DPETSIM_STORED_SKIN_LIBRARY_TOOL="$tool" >>"$log" 2>&1 ||
   ! cmake --build "$build_dir" -j "${JOBS:-2}" >>"$log" 2>&1; then
  tail -n 80 "$log"
  echo "windows: the cross build failed (whole log: $log)" >&2
  exit 1
fi
built=$(date +%s)
echo "windows: cross build took $((built - started)) s"

prefix=$(mktemp -d "${TMPDIR:-/tmp}/petsim-wine.XXXXXX")
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$prefix"
}
trap cleanup EXIT
# One Wine session for every program: the server stays up between them.
wineboot -i >/dev/null 2>&1
wineserver -p 60 >/dev/null 2>&1 || true
booted=$(date +%s)
echo "windows: the Wine prefix took $((booted - built)) s"

status=0
for program in "$build_dir"/test_*.exe; do
  name=$(basename "$program" .exe)
  echo "== $name (wine)"
  if ! (cd "$work_dir" && wine "$program" --gtest_brief=1 2>&1 | tr -d '\r'; exit "${PIPESTATUS[0]}"); then
    echo "windows: $name failed" >&2
    status=1
  fi
done
echo "== petsim.exe (wine): $(stat -c %s "$build_dir/petsim.exe") bytes"
"$source_dir/tests/windows/program-test.sh" "$build_dir/petsim.exe" "$source_dir" || status=1
echo "windows: tests under Wine took $(( $(date +%s) - booted )) s, $(( $(date +%s) - started )) s in all"
exit "$status"
