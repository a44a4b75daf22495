#!/usr/bin/env bash
# Builds one fuzz target of tests/fuzz with clang and runs it for a bounded time from its seeds:
# the files in tests/fuzz/seeds/TARGET, and what the tool TARGET_seeds writes when there is one.
# Usage: test-fuzz.sh SOURCE_DIR WORK_DIR SECONDS TARGET
# WORK_DIR (inside the build directory) is made afresh and removed afterwards; a faulting input
# is printed in hex before that. The last line gives the inputs run and the coverage reached.
set -euo pipefail

source_dir=$(cd "$1" && pwd)
work_dir=$2
seconds=$3
target=$4
rm -rf "$work_dir"
mkdir -p "$work_dir"
work_dir=$(cd "$work_dir" && pwd)
trap 'rm -rf "$work_dir"' EXIT

# The release's clang (`clang++`, from the clang package) or else any clang++-N, newest first:
# the first that links a fuzz target, i.e. whose compiler-rt (libclang-rt-N-dev) is installed.
probe="$work_dir/probe.cpp"
printf '%s\n' '#include <cstddef>' '#include <cstdint>' \
  'extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }' >"$probe"
candidates=(clang++)
while IFS= read -r name; do candidates+=("$name"); done < <(
  compgen -c clang++- | grep -E '^clang\+\+-[0-9]+$' | sort -t- -k2,2nr -u)
clang=""
for candidate in "${candidates[@]}"; do
  command -v "$candidate" >/dev/null 2>&1 || continue
  if "$candidate" -fsanitize=fuzzer,address,undefined -o "$work_dir/probe" "$probe" >/dev/null 2>&1; then
    clang=$(command -v "$candidate")
    break
  fi
done
rm -f "$probe" "$work_dir/probe"
if [ -z "$clang" ]; then
  echo "$target: no clang++ that links a libFuzzer target (install clang and its" \
    "libclang-rt-N-dev: scripts/install-deps.sh test)" >&2
  exit 1
fi
echo "$target: building with $clang"

seed_tool=""
# The loader's seeds are images that a tool builds.
[ "$target" = loader_fuzz ] && seed_tool=loader_fuzz_seeds
log="$work_dir/build.log"
if ! cmake -S "$source_dir/tests/fuzz" -B "$work_dir/build" -DCMAKE_CXX_COMPILER="$clang" \
      -DCMAKE_BUILD_TYPE= >"$log" 2>&1 ||
   ! cmake --build "$work_dir/build" -j 2 --target "$target" $seed_tool >>"$log" 2>&1; then
  cat "$log"
  echo "$target: the fuzzing build failed" >&2
  exit 1
fi

mkdir "$work_dir/seeds" "$work_dir/corpus" "$work_dir/artifacts"
if [ -d "$source_dir/tests/fuzz/seeds/$target" ]; then
  cp "$source_dir/tests/fuzz/seeds/$target"/* "$work_dir/seeds/"
fi
[ -n "$seed_tool" ] && "$work_dir/build/$seed_tool" "$work_dir/seeds"

cd "$work_dir"
set +e
"$work_dir/build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$work_dir/artifacts/" -print_final_stats=1 \
  "$work_dir/corpus" "$work_dir/seeds" >"$work_dir/fuzz.log" 2>&1
status=$?
set -e

if [ "$status" -ne 0 ]; then
  tail -n 60 "$work_dir/fuzz.log"
  for input in "$work_dir"/artifacts/*; do
    [ -e "$input" ] || continue
    echo "$target: faulting input $(basename "$input") ($(stat -c %s "$input") bytes):"
    od -An -tx1 -v "$input"
  done
  echo "$target: fault found" >&2
  exit 1
fi
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work_dir/fuzz.log" | tail -n 1)
# libFuzzer's last status line: cov = code edges reached, ft = features.
cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$work_dir/fuzz.log" | tail -n 1)
corpus=$(find "$work_dir/corpus" -type f | wc -l)
echo "$target: ${runs:-?} inputs ran without a fault in ${seconds} s, ${cov:-cov: ?}" \
  "(corpus grew to ${corpus} inputs)"
