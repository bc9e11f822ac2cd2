# Sourced by the real-window tests: a private X display with a window manager, and helpers
# to find, click and close the game's windows. Everything started here ends with the script.

set -euo pipefail

SHOTS=${VORLAN_SCREENSHOTS:-$PWD/screenshots}
mkdir -p "$SHOTS"
SESSION_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$SESSION_DIR/xvfb_display.sh"

# The tests decide their own environment: nothing of the caller's desktop, settings or session
# bus reaches the program or the window manager (see start_accessibility_bus for a bus of the
# test's own).
SESSION_HOME=$(mktemp -d)
private_environment "$SESSION_HOME"

pids=()
# Whether a process runs (a zombie, ended and not yet waited for, does not).
running() { # pid
    local stat
    { read -r stat <"/proc/$1/stat"; } 2>/dev/null || return 1
    stat=${stat##*) }
    [ "${stat%% *}" != Z ]
}
none_running() {
    local pid
    for pid in "${pids[@]}"; do ! running "$pid" || return 1; done
}
cleanup() {
    # Stopped ones too; and whatever has not ended five seconds later is killed.
    local pid
    for pid in "${pids[@]}"; do kill -TERM "$pid" 2>/dev/null && kill -CONT "$pid" 2>/dev/null || true; done
    WAIT_STEPS=100 wait_until none_running || true
    for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
    { wait || true; } 2>/dev/null
    rm -rf "$SESSION_HOME"
}
trap cleanup EXIT

fail() {
    trap '' USR1
    echo "FAIL: $*" >&2
    if [ -n "${PID:-}" ]; then
        if kill -0 "$PID" 2>/dev/null; then
            echo "The program (process $PID) was still running." >&2
        else
            local status=0
            wait "$PID" 2>/dev/null || status=$?
            echo "The program (process $PID) had ended, with status $status." >&2
        fi
    fi
    [ -n "${DISPLAY:-}" ] && X_CLIENT_SECONDS=10 import -window root "$SHOTS/failure.png" 2>/dev/null &&
        echo "The screen as it was: $SHOTS/failure.png" >&2
    exit 1
}
# An X client that got no answer (see bounded in xvfb_display.sh).
trap 'fail "the X server stopped answering"' USR1

# For a test that reads the screen as a screen reader does: the accessibility bus, on the
# session bus of the test's own that the script runs in (see xvfb_play.sh). Call after
# start_display.
start_accessibility_bus() {
    [ -n "${VORLAN_OWN_BUS:-}" ] || fail "the accessibility bus needs a session bus of the test's own"
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    pids+=($!)
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

# A private X display with the tests' own window manager.
start_display() {
    start_xvfb || fail "no X display"
    pids+=("$XVFB_PID")
    openbox --config-file "$SESSION_DIR/openbox-rc.xml" >>"$SHOTS/openbox.log" 2>&1 &
    pids+=($!)
    wait_until window_manager_runs || fail "the window manager did not start"
}
window_manager_runs() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# Ends the display with everything on it, as when an X server goes away.
stop_display() {
    kill "$XVFB_PID"
    wait "$XVFB_PID" 2>/dev/null || true
}

# The ids of the visible windows with exactly this title.
visible_windows() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true
}

window_count_is() { [ "$(visible_windows "$1" | wc -l)" -eq "$2" ]; } # title count
wait_for_windows() { # title count
    wait_until window_count_is "$1" "$2" ||
        fail "expected $2 visible window(s) titled '$1', found $(visible_windows "$1" | wc -l)"
}

# Waits until the one visible window with this title is another than the given one.
wait_for_other_window() { # title old-window
    wait_until other_window "$1" "$2" || fail "the window titled '$1' did not give way to another one"
}
other_window() { # title old-window
    local now
    now=$(visible_windows "$1")
    [ "$(wc -w <<<"$now")" -eq 1 ] && [ "$now" != "$2" ]
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
    wait_until ended "$1" || fail "the program did not end"
    EXIT_STATUS=0
    wait "$1" || EXIT_STATUS=$?
}
ended() { ! kill -0 "$1" 2>/dev/null; } # pid

# Starts the game with the command given (the program, or a tool that runs it), clicks its title
# screen and waits for the game screen; sets PID and GAME_WINDOW. The program's errors go to
# PROGRAM_LOG.
open_game() { # command...
    # A process group of its own, whose id is the program's: what it leaves running shows there.
    setsid "$@" 2>>"${PROGRAM_LOG:-$SHOTS/program.log}" &
    PID=$!
    pids+=($PID)
    wait_for_windows "Vorlan Cup 2001" 1
    local title_window
    title_window=$(visible_windows "Vorlan Cup 2001")
    click_twips "$title_window" 1000 5000
    wait_for_other_window "Vorlan Cup 2001" "$title_window"
    GAME_WINDOW=$(visible_windows "Vorlan Cup 2001")
    xdotool windowactivate --sync "$GAME_WINDOW" 2>/dev/null || true
    wait_for_focus "$GAME_WINDOW"
}

# Checks that nothing of the program started by open_game is still running.
check_nothing_left() { # what
    local left
    left=$(pgrep -g "$PID" || true)
    [ -z "$left" ] || fail "$1: left running: $(ps -o pid=,args= -p "$(echo $left | tr ' ' ,)")"
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

# Waits until the window with the keyboard focus is this one.
wait_for_focus() { # window
    wait_until focus_is "$1" || fail "window $1 did not get the keyboard focus"
}
focus_is() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; } # window

# The colour of one pixel of the screen, as ImageMagick's hex colour (#RRGGBB).
screen_pixel() { # x y
    import -window root -crop "1x1+$1+$2" -depth 8 -format '#%[hex:u.p]' info:
}

# The colour of one pixel of a window's client area as the screen shows it.
pixel_of() { # window x y
    client_geometry "$1"
    screen_pixel $((X + $2)) $((Y + $3))
}

# Waits until a pixel of a window's client area shows a colour (or, with "not", another one).
wait_for_pixel() { # [not] window x y colour
    local want=yes
    [ "$1" = not ] && want=no && shift
    wait_until pixel_is $want "$@" ||
        fail "pixel ($2, $3) of window $1: expected $([ $want = no ] && echo "other than ")$4, found $PIXEL"
}
pixel_is() { # yes|no window x y colour; sets PIXEL
    PIXEL=$(pixel_of "$2" "$3" "$4")
    if [ "$PIXEL" = "$5" ]; then [ "$1" = yes ]; else [ "$1" = no ]; fi
}

shoot() {
    import -window root "$SHOTS/$1.png"
}

# The client area of one window alone, as the metainfo's screenshots show the game
# (app/desktop/screenshots/ holds copies).
shoot_window() { # name window
    import -window "$2" "$SHOTS/$1.png"
}
