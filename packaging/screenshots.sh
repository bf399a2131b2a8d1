#!/usr/bin/env bash
# Makes the screenshots the AppStream metainfo names (start screen, typing exercise, mental
# arithmetic, the child picker and the progress view over a journal of a few weeks) on a virtual X display and writes them to packaging/screenshots/. They are kept
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
data=$(mktemp -d)
trap 'rm -rf "$config" "$data"' EXIT

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

# Four children, and three weeks of Anna's practice in the journal.
mkdir -p "$data/Tambolino/Kinder"
for child in Anna Ben Clara Özlem; do
    printf ' 0 \r\n%.0s' {1..12} >"$data/Tambolino/Kinder/$child.tbo"
done
python3 "$ROOT/packaging/seed-journal.py" "$data/Tambolino/tagebuch.sqlite"

# shot NAME [STEP...]: starts the program, takes each step in its window (X,Y clicks there, any
# other step is a key), saves the window.
shot() {
    local name=$1
    shift
    XDG_CONFIG_HOME=$config XDG_DATA_HOME=$data QT_QPA_PLATFORM=xcb "$program" &
    local pid=$!
    local window
    window=$(xdotool search --sync --onlyvisible --name '^Tambolino$' | head -n 1)
    sleep 1
    local step
    for step in "$@"; do
        if [[ $step == *,* ]]; then
            xdotool mousemove --window "$window" "${step%,*}" "${step#*,}" click 1
            xdotool mousemove 0 0
        else
            xdotool key "$step"
        fi
        sleep 1
    done
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
shot abtippuebungen 50,112
shot kopfrechnen 50,320
# "Kind wählen" in the second row of the menu; Space takes the first child, Anna; then
# "Fortschritt".
shot kind-waehlen 30,42
shot fortschritt 30,42 space 110,42
