#!/bin/sh
# Runs every replay script of tests/replays/ with two petsim programs, each on a fresh copy of
# data/ with the same fixed clock, and compares what they printed (stdout, stderr, status), the
# record files they left and the screenshots they took, byte for byte.
#
#   scripts/compare-replays.sh BEFORE AFTER [SCRIPT...]
#
# Exits 0 when every script gives the same results under both programs, 1 otherwise. Keeps its
# work folder (named on the last line) when something differs.
set -u

if [ $# -lt 2 ]; then
  echo "usage: $0 BEFORE-PETSIM AFTER-PETSIM [SCRIPT...]" >&2
  exit 2
fi
before=$(realpath "$1")
after=$(realpath "$2")
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -eq 0 ]; then
  set -- "$root"/tests/replays/*.txt
fi
clock=${REPLAY_CLOCK:-1234}
work=$(mktemp -d "${TMPDIR:-/tmp}/petsim-replays.XXXXXX")

run() {  # run PROGRAM SCRIPT FOLDER
  mkdir -p "$3/shots"
  cp -r "$root/data" "$3/data"
  (cd "$3" && "$1" --headless --replay "$2" --clock "$clock" data >stdout 2>stderr; echo "status $?" >>stdout)
}

failed=0
for script in "$@"; do
  name=$(basename "$script" .txt)
  run "$before" "$(realpath "$script")" "$work/$name/before"
  run "$after" "$(realpath "$script")" "$work/$name/after"
  if diff -r "$work/$name/before" "$work/$name/after" >"$work/$name/diff" 2>&1; then
    echo "same  $name ($(grep -c '^message' "$work/$name/after/stdout") messages," \
         "$(ls "$work/$name/after/shots" | wc -l) shots, $(tail -n 1 "$work/$name/after/stdout"))"
  else
    echo "DIFF  $name (see $work/$name/diff)"
    failed=1
  fi
done
if [ "$failed" -eq 0 ]; then
  rm -rf "$work"
else
  echo "work folder kept: $work"
fi
exit "$failed"
