#!/usr/bin/env bash
# Makes the screenshots the AppStream metainfo names (start screen, typing exercise, mental
# arithmetic) on a virtual X display and writes them to packaging/screenshots/. They are kept
# in the repository and put on the web site; run this again when the screens change.
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/common.sh"

if [ -z "${TAMBOLINO_SCREENSHOTS_DISPLAY:-}" ]; then
    need_packages "${BUILD_PACKAGES[@]}" "${SCREENSHOT_PACKAGES[@]}"
    build release
    exec xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" \
        env TAMBOLINO_SCREENSHOTS_DISPLAY=1 "${BASH_SOURCE[0]}" "$@"
fi

program=$ROOT/build-release/bin/tambolino
out=$ROOT/packaging/screenshots
mkdir -p "$out"
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT

# The clock on the exercise screens shows the middle of a school morning, whenever this runs.
utc_hour=$(date -u +%H)
shift_hours=$(((10 - 10#$utc_hour + 36) % 24 - 12))
export TZ="TMB$((-shift_hours))"

# Scores a child might have after a few weeks, so that the start screen shows some.
mkdir -p "$config/Tambolino"
cat >"$config/Tambolino/Tambolino.conf" <<'EOF'
[Punktestaende]
Abtippuebungen=1480
Wortpuzzle=315
Einsetzuebungen=620
Verkleinerungen=240
Kopfrechnen=2150
Malfolgen=1730
EOF

# shot NAME [X Y]: starts the program, clicks at X,Y in its window (if given), saves the window.
shot() {
    local name=$1
    XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=xcb "$program" &
    local pid=$!
    local window
    window=$(xdotool search --sync --onlyvisible --name '^Tambolino$' | head -n 1)
    sleep 1
    if [ $# -eq 3 ]; then
        xdotool mousemove --window "$window" "$2" "$3" click 1
        xdotool mousemove 0 0
        sleep 1
    fi
    local X Y WIDTH HEIGHT SCREEN
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -strip "$out/$name.png"
    kill -TERM "$pid"
    wait "$pid"
    echo "$out/$name.png: ${WIDTH}x${HEIGHT}"
}

# The exercise entries' names on the start screen: Abtippübungen in the first row, Kopfrechnen
# in the third.
shot start
shot abtippuebungen 50 112
shot kopfrechnen 50 320
