#!/usr/bin/env bash
# petsim.exe under Wine (run by scripts/test-windows.sh inside its Wine session): the command
# line prints where it was started from, the odds command reads a data folder with Chinese
# names, a start settles the folder and says that the windows are not there yet.
# Usage: program-test.sh PETSIM_EXE SOURCE_DIR
set -uo pipefail

exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
source_dir=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/petsim-win-program.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0

check() {  # check NAME EXPECTED_STATUS EXPECTED_TEXT -- WORDS...
  local name=$1 expected_status=$2 expected_text=$3
  shift 4
  local output status
  output=$(cd "$work" && wine "$exe" "$@" 2>&1 | tr -d '\r'; exit "${PIPESTATUS[0]}")
  status=$?
  if [ "$status" -ne "$expected_status" ] || ! grep -qF -- "$expected_text" <<<"$output"; then
    echo "FAILED: $name (status $status, expected $expected_status and '$expected_text'):"
    echo "$output" | head -n 20
    failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
}

# A data folder with Chinese names all the way, one pet in slot 3 and a stale temporary file
# of a writer that is gone.
data="$work/宠物数据"
mkdir -p "$data"
cp -r "$source_dir/data/." "$data/"
for slot in $(seq 1 15); do mkdir -p "$data/召唤兽/数据/$slot"; done
printf '12|1300|950|3000|1700|1000|1085|3|19|20|5' >"$data/召唤兽/数据/3/Data.txt"
printf 'half' >"$data/召唤兽/数据/3/.petsim-tmp.Data.txt.999999.0"

check "--version" 0 "petsim 0.1.0" -- --version
check "--help" 0 "petsim odds" -- --help
check "a wrong word" 2 "see petsim --help" -- --no-such-option
check "odds --help" 0 "petsim odds wash" -- odds --help
check "odds of a wash from a slot" 0 "Wash of species 12" -- odds wash slot:3 --trials 2000 --seed 7 --dir "$data"
check "odds of a book, as JSON" 0 '"skill"' -- odds book 3 71 --json --dir "$data"
check "odds with a chart" 1 "not available" -- odds wash 12 --plot chart.png --dir "$data"
check "a start says the windows are missing" 3 "not available in the Windows build yet" -- "$data"
if [ -e "$data/召唤兽/数据/3/.petsim-tmp.Data.txt.999999.0" ]; then
  echo "FAILED: the start left the stale temporary file"
  failures=$((failures + 1))
else
  echo "ok: the start removed the stale temporary file"
fi
check "a folder without 召唤兽" 1 "holds no 召唤兽 folder" -- "$work"

[ "$failures" -eq 0 ]
