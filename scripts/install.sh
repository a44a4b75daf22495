#!/usr/bin/env bash
# `make install`: installs the build under PREFIX (DESTDIR from the environment stages it), the
# program stripped, and keeps the list of what was installed in MANIFEST for uninstall.sh.
# Usage: install.sh BUILD_DIR PREFIX MANIFEST
set -euo pipefail
build_dir=${1:?usage: install.sh BUILD_DIR PREFIX MANIFEST}
prefix=${2:?usage: install.sh BUILD_DIR PREFIX MANIFEST}
manifest=${3:?usage: install.sh BUILD_DIR PREFIX MANIFEST}
cmake --install "$build_dir" --prefix "$prefix" --strip
# cmake --install writes its list into the build folder, as every install of it does (the
# tests' installs too): a copy of its own is kept.
cp "$build_dir/install_manifest.txt" "$manifest"
