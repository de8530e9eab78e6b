# Sourced by the screenshot scripts: a real X server (Xvfb) with the xcb platform, a scratch
# settings folder, and helpers to wait for windows, send real input and capture the screen into
# build/shots/. Several scripts may run at once: each gets its own display.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
SHOTS_DIR=$BUILD_DIR/shots
mkdir -p "$SHOTS_DIR"

for tool in Xvfb xdotool import xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/install-deps.sh" >&2; exit 1; }
done

SCRATCH=$(mktemp -d)
XVFB_PID=

stop_x() {
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$SCRATCH"
}
# The program the script started (its pid), if any. It saves its settings as it ends: let it
# finish before the scratch folder goes.
app=
end_app() {
    if [ -n "$app" ]; then
        kill "$app" 2>/dev/null && wait "$app" || true
        app=
    fi
}
trap 'end_app; stop_x' EXIT

# Starts Xvfb on a free display and points the toolkit and the program's settings at it.
start_x() {
    local size=${1:-1280x1024}
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$SCRATCH/display" 2>/dev/null &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$SCRATCH/display" ] && break
        sleep 0.05
    done
    export DISPLAY=:$(head -n1 "$SCRATCH/display")
    export QT_QPA_PLATFORM=xcb
    export XDG_CONFIG_HOME=$SCRATCH/config
    export TORVINA_POWER_DISABLED=1
    mkdir -p "$XDG_CONFIG_HOME"
    for _ in $(seq 100); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    echo "Xvfb did not start" >&2
    exit 1
}

# Waits until a visible window whose title matches the pattern exists; prints its id.
wait_window() {
    local pattern=$1
    for _ in $(seq 200); do
        local id
        id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.05
    done
    echo "no window matching '$pattern'" >&2
    return 1
}

# Saves the whole screen, or one window when an id is given, as build/shots/NAME.png.
shot() {
    local name=$1 window=${2:-root}
    sleep 0.3
    import -window "$window" "$SHOTS_DIR/$name.png"
    echo "$SHOTS_DIR/$name.png"
}

# Prints the path of a program built into build/tests/shots/, or stops when it is not built.
shot_program_path() {
    local path=$BUILD_DIR/tests/shots/$1
    [ -x "$path" ] || { echo "build the $1 target first" >&2; exit 1; }
    echo "$path"
}

# Sets LANG for shots in English (en) or Japanese (ja).
use_lang() {
    case $1 in
    en) export LANG=C.UTF-8 ;;
    ja) export LANG=ja_JP.UTF-8 ;;
    esac
}

# Runs a shot program (the command after NAME), which prints the id of the window to capture
# (or "root") on its first line, saves that window as NAME and ends the program. The id is left
# in SHOT_WINDOW, empty when the program printed none.
shot_program() {
    local name=$1
    shift
    local out=$SCRATCH/$name.out
    "$@" >"$out" &
    local pid=$!
    for _ in $(seq 100); do
        [ -s "$out" ] && break
        sleep 0.05
    done
    SHOT_WINDOW=$(head -n1 "$out")
    if [ -n "$SHOT_WINDOW" ]; then
        shot "$name" "$SHOT_WINDOW"
    else
        echo "no window for $*" >&2
    fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

# Waits for a visible window other than the main window ($main); prints its id.
wait_dialog() {
    for _ in $(seq 200); do
        local id
        id=$(xdotool search --onlyvisible --name "." 2>/dev/null | grep -vx "$main" | tail -n1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.05
    done
    echo "no dialog" >&2
    return 1
}
# Waits until only the main window is left.
wait_no_dialog() {
    for _ in $(seq 200); do
        [ -z "$(xdotool search --onlyvisible --name "." 2>/dev/null | grep -vx "$main" || true)" ] && return 0
        sleep 0.05
    done
}
