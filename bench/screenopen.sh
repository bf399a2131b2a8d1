#!/usr/bin/env bash
# Opening times of the exercise screens against their floor, under Xvfb.
# Usage: bench/screenopen.sh [RUNS] [BUILD_DIR]   (BUILD_DIR as made by scripts/test)
set -euo pipefail
runs=${1:-30}
build=$(cd "${2:-$(dirname "$0")/../build}" && pwd)
cmake --build "$build" --target tambolino_screenopen tambolino_data >/dev/null
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1024x768x24" "$build/bin/tambolino_screenopen" "$build/bin" "$runs"
