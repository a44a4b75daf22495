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
if [ ! -d "$folder/召唤兽" ]; then
  echo "petsim: first start, the data folder $folder is filled from $here/data"
else
  echo "petsim: data folder $folder"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no graphical session (DISPLAY is not set). Run 'make run' on the desktop, or see" \
       "README.md for the replay mode that runs without one." >&2
  exit 1
fi

# From a folder without 召唤兽/, so the program takes the per-user folder whatever directory
# make was started in.
cd /
exec "$program" "$@"
