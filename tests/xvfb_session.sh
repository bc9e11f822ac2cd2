# Sourced by the real-window tests: a private X display with a window manager, and helpers
# to find, click and close the game's windows. Everything started here ends with the script.

set -euo pipefail

SHOTS=${VORLAN_SCREENSHOTS:-$PWD/screenshots}
# How many 50 ms steps the waits below take before they give up (ten seconds; more for a program
# that runs under valgrind).
WAIT_STEPS=${WAIT_STEPS:-200}
mkdir -p "$SHOTS"
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

start_display() {
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" 2>/dev/null &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
    export DISPLAY=":$(head -n1 "$fdfile")"
    rm -f "$fdfile"
    openbox >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return
        sleep 0.05
    done
    fail "the window manager did not start"
}

# The ids of the visible windows with exactly this title.
visible_windows() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true
}

wait_for_windows() { # title count
    for _ in $(seq "$WAIT_STEPS"); do
        [ "$(visible_windows "$1" | wc -l)" -eq "$2" ] && return 0
        sleep 0.05
    done
    fail "expected $2 visible window(s) titled '$1', found $(visible_windows "$1" | wc -l)"
}

# Waits until the one visible window with this title is another than the given one.
wait_for_other_window() { # title old-window
    for _ in $(seq "$WAIT_STEPS"); do
        local now
        now=$(visible_windows "$1")
        [ "$(wc -w <<<"$now")" -eq 1 ] && [ "$now" != "$2" ] && return 0
        sleep 0.05
    done
    fail "the window titled '$1' did not give way to another one"
}

# Where a window's client area lies on the screen: sets X, Y, WIDTH and HEIGHT.
client_geometry() {
    local info
    info=$(xwininfo -id "$1")
    X=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    Y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
    WIDTH=$(awk '/^ *Width:/ {print $2}' <<<"$info")
    HEIGHT=$(awk '/^ *Height:/ {print $2}' <<<"$info")
}

# Client size of a window, as "WIDTHxHEIGHT".
window_size() {
    client_geometry "$1"
    echo "${WIDTH}x${HEIGHT}"
}

# Clicks a window at a point of its client area given in twips (15 to a pixel).
click_twips() { # window x y
    client_geometry "$1"
    # Off by one first: a --sync move to where the pointer already is waits for nothing.
    xdotool mousemove $((X + $2 / 15 + 1)) $((Y + $3 / 15)) \
        mousemove --sync $((X + $2 / 15)) $((Y + $3 / 15)) click 1
}

# Asks the window manager to close a window, as its close button does.
close_window() {
    xdotool windowactivate --sync "$1" 2>/dev/null || true
    xdotool key --clearmodifiers alt+F4
}

# Waits for the program to end; sets EXIT_STATUS. (Not in a subshell: only this shell can
# wait for its own children.)
wait_for_exit() { # pid
    for _ in $(seq "$WAIT_STEPS"); do
        if ! kill -0 "$1" 2>/dev/null; then
            EXIT_STATUS=0
            wait "$1" || EXIT_STATUS=$?
            return
        fi
        sleep 0.05
    done
    fail "the program did not end"
}

# Starts the game with the command given (the program, or a tool that runs it), clicks its title
# screen and waits for the game screen; sets PID and GAME_WINDOW. The program's errors go to
# PROGRAM_LOG.
open_game() { # command...
    "$@" 2>>"${PROGRAM_LOG:-$SHOTS/program.log}" &
    PID=$!
    pids+=($PID)
    wait_for_windows "Vorlan Cup 2001" 1
    local title_window
    title_window=$(visible_windows "Vorlan Cup 2001")
    click_twips "$title_window" 1000 5000
    wait_for_other_window "Vorlan Cup 2001" "$title_window"
    GAME_WINDOW=$(visible_windows "Vorlan Cup 2001")
    xdotool windowactivate --sync "$GAME_WINDOW" 2>/dev/null || true
}

# Types a guess from the keyboard and presses Enter. Starts in the visiting box, where the focus
# rests after a quarter or a message.
enter_guess() { # home visiting
    xdotool key shift+Tab ctrl+a
    xdotool type -- "$1"
    xdotool key Tab ctrl+a
    xdotool type -- "$2"
    xdotool key Return
}

shoot() {
    import -window root "$SHOTS/$1.png"
}
