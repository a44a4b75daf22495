#!/usr/bin/env bash
# Builds the loader and its tests as a 32-bit x86 program and runs them, so that image code
# (entry points, exports) really executes. Usage: test-loader-x86-32.sh SOURCE_DIR WORK_DIR
# WORK_DIR (inside the build directory) is made afresh and removed afterwards.
# A kernel without 32-bit support refuses to start the program; then it runs under qemu-i386.
set -euo pipefail

source_dir=$(cd "$1" && pwd)
work_dir=$2
rm -rf "$work_dir"
mkdir -p "$work_dir"
work_dir=$(cd "$work_dir" && pwd)
trap 'rm -rf "$work_dir"' EXIT

log="$work_dir/build.log"
# The tool that stores the skinning library's stand-in runs during the build: build it natively.
tool="$work_dir/MakeStoredSkinLibrary"
if ! "${CXX:-c++}" -std=c++20 -O1 -I "$source_dir/src" -o "$tool" \
      "$source_dir/tools/MakeStoredSkinLibrary.cpp" "$source_dir"/src/loader/builder/*.cpp \
      >"$log" 2>&1 ||
   ! cmake -S "$source_dir/tests/loader/x86-32" -B "$work_dir/build" \
      -DCMAKE_BUILD_TYPE= -DPETSIM_STORED_SKIN_LIBRARY_TOOL="$tool" >>"$log" 2>&1 ||
   ! cmake --build "$work_dir/build" -j 2 --target test_loader >>"$log" 2>&1; then
  cat "$log"
  echo "loader_x86_32: the 32-bit build failed" >&2
  exit 1
fi

program="$work_dir/build/test_loader"
runner=()
set +e
"$program" --gtest_list_tests >/dev/null 2>&1
probe=$?
set -e
if [ "$probe" -ne 0 ]; then
  if command -v qemu-i386 >/dev/null 2>&1; then
    echo "loader_x86_32: this kernel does not start 32-bit programs; running under qemu-i386"
    runner=(qemu-i386)
  else
    echo "loader_x86_32: cannot run a 32-bit x86 program here (no kernel support, no qemu-i386)" >&2
    exit 1
  fi
fi

# The tests that run image code exist only in this build; a skipped test here would hide the
# very thing this build exists for.
cd "$work_dir"
"${runner[@]}" "$program" --gtest_list_tests >"$work_dir/tests.txt"
if ! grep -q "TheEntryPointRunsWithAttachAndDetach" "$work_dir/tests.txt"; then
  echo "loader_x86_32: the tests that run image code are missing from the 32-bit build" >&2
  exit 1
fi
"${runner[@]}" "$program" --gtest_brief=1 2>&1 | tee "$work_dir/run.log"
status=${PIPESTATUS[0]}
if grep -q "SKIPPED" "$work_dir/run.log"; then
  echo "loader_x86_32: tests were skipped in the 32-bit build" >&2
  exit 1
fi
exit "$status"
