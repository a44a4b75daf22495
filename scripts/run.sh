#!/usr/bin/env bash
# `make run`: starts the built program on the per-user data folder. The program fills that folder
# from the source tree's data/ on its first start and works only there, so the source tree's
# data/ is never written. Usage: run.sh PROGRAM [ARGS...] (ARGS go to the program).
set -euo pipefail
program=${1:?usage: run.sh PROGRAM [ARGS...]}
shift
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")
here=$(cd "$(dirname "$0")/.." && pwd)

# The same choice the program makes without a DIR (a relative XDG_DATA_HOME is ignored).
if [ "${XDG_DATA_HOME:-}" != "" ] && [ "${XDG_DATA_HOME#/}" != "$XDG_DATA_HOME" ]; then
  folder=$XDG_DATA_HOME/petsim
else
  folder=${HOME:?HOME is not set}/.local/share/petsim
fi
case "$(realpath -m "$folder")/" in
  "$here"/*)
    echo "run.sh: the per-user data folder $folder lies inside the source tree; set XDG_DATA_HOME elsewhere" >&2
    exit 1
    ;;
esac
if [ $# -eq 0 ]; then
  if [ ! -d "$folder/召唤兽" ]; then
    echo "petsim: first start, the data folder $folder is filled from $here/data"
  else
    echo "petsim: data folder $folder"
  fi
fi

# From the source tree's top, which holds no 召唤兽/ (the program would take it as its data
# folder) and against which relative paths in ARGS are read, as make reads them.
cd "$here"
[ ! -e 召唤兽 ] || { echo "run.sh: $here/召唤兽 would be taken for the data folder; remove it" >&2; exit 1; }
exec "$program" "$@"
