#!/usr/bin/env bash
# Starts petsim in a writable copy of the default data folder, outside the source tree.
set -euo pipefail
program=${1:?usage: run.sh PROGRAM}
here=$(cd "$(dirname "$0")/.." && pwd)
work=${PETSIM_WORK_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/petsim}
if [ ! -d "$work/召唤兽" ]; then
  mkdir -p "$work"
  cp -r "$here/data/." "$work/"
  echo "Copied the default data folder to $work"
fi
exec "$program" "$work"
