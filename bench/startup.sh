#!/usr/bin/env bash
# Start-up time and peak memory of Tambolino against a bare Qt window, under Xvfb.
# Usage: bench/startup.sh [RUNS] [BUILD_DIR]   (BUILD_DIR as made by scripts/test)
set -euo pipefail
runs=${1:-15}
build=$(cd "${2:-$(dirname "$0")/../build}" && pwd)
cmake --build "$build" --target tambolino tambolino_floor mapwait >/dev/null

config=$(mktemp -d)
trap 'rm -rf "$config"; [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true' EXIT
# Xvfb picks a free display and names it once it accepts connections.
ready=$config/display
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do # up to ten seconds on a busy machine
    [ -s "$ready" ] && break
    sleep 0.1
done
display=:$(head -n 1 "$ready")
# Its own runtime folder too: a copy the user runs would otherwise take the start over.
export DISPLAY=$display XDG_CONFIG_HOME=$config XDG_RUNTIME_DIR=$config
unset QT_QPA_PLATFORM

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

# The two programs start in turns, so that a change in the machine's load meets both alike.
app=$build/bin/tambolino
floor=$build/bin/tambolino_floor
"$build/bin/mapwait" "$app" >/dev/null # warm the file cache
"$build/bin/mapwait" "$floor" >/dev/null
app_times=() app_peaks=() floor_times=() floor_peaks=()
for _ in $(seq "$runs"); do
    line=$("$build/bin/mapwait" "$app")
    app_times+=("${line% *}")
    app_peaks+=("${line#* }")
    line=$("$build/bin/mapwait" "$floor")
    floor_times+=("${line% *}")
    floor_peaks+=("${line#* }")
done
app_ms=$(printf '%s\n' "${app_times[@]}" | median)
app_kb=$(printf '%s\n' "${app_peaks[@]}" | median)
floor_ms=$(printf '%s\n' "${floor_times[@]}" | median)
floor_kb=$(printf '%s\n' "${floor_peaks[@]}" | median)

printf '%-18s %12s %14s\n' "" "start (ms)" "peak RSS (kB)"
printf '%-18s %12s %14s\n' "tambolino" "$app_ms" "$app_kb"
printf '%-18s %12s %14s\n' "bare Qt window" "$floor_ms" "$floor_kb"
awk -v a="$app_ms" -v b="$floor_ms" -v c="$app_kb" -v d="$floor_kb" -v n="$runs" \
    'BEGIN {printf "ratio              %12.2f %14.2f   (median of %d runs)\n", a/b, c/d, n}'
