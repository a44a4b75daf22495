#!/usr/bin/env bash
# `make uninstall`: removes what `make install` installed, as listed in its manifest, and the
# folders of the default data folder that are left empty. Usage: uninstall.sh MANIFEST
set -euo pipefail
manifest=${1:?usage: uninstall.sh MANIFEST}
if [ ! -f "$manifest" ]; then
  echo "uninstall.sh: $manifest is missing: nothing was installed with make install from this build" >&2
  exit 1
fi

prefix=""
while IFS= read -r file || [ -n "$file" ]; do
  [ -n "$file" ] || continue
  case "$file" in */bin/petsim) prefix=${file%/bin/petsim} ;; esac
  if [ -e "$file" ] || [ -L "$file" ]; then
    rm -f -- "$file"
    echo "removed $file"
  fi
done <"$manifest"

# The slot folders hold no file (they are installed empty) and are not in the manifest.
if [ -n "$prefix" ] && [ -d "$prefix/share/petsim" ]; then
  find "$prefix/share/petsim" -depth -type d -empty -delete
fi
rm -f -- "$manifest"
