#!/usr/bin/env bash
# `make bench-startup`: the time from start to the main window's first present and the peak
# resident memory, under a private Xvfb with a compositing manager.
# Usage: bench-startup.sh PROGRAM [RUNS]
set -euo pipefail
exec python3 "$(dirname "$0")/bench_startup.py" "$@"
