#!/bin/sh
# Starts the game from its build folder, so that ../assets/ is the asset tree.
# With no display, plays a few seconds on a virtual one and keeps a screenshot.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=${1:-build}
case "$BUILD_DIR" in /*) ;; *) BUILD_DIR="$ROOT/$BUILD_DIR" ;; esac

if [ -n "${DISPLAY:-}" ]; then
    cd "$BUILD_DIR"
    exec ./meadowhop
fi
exec python3 "$ROOT/tools/headless_run.py" "$BUILD_DIR"
