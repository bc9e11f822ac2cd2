#!/usr/bin/env bash
# The game window resized from 1 x 1 pixel to the whole screen, and then closed, at every phase
# of a game: before the first click, mid-game, while a message box is open, during the
# celebration and after it. Each time the program must live through the sizes, end with exit
# status 0 when closed, show no error box and leave nothing running.
# Usage: xvfb_phases.sh PATH/TO/vorlan-cup
game=$1
. "$(dirname "$0")/xvfb_session.sh"

start_display
screen=$(xdpyinfo | awk '/dimensions:/ {print $2}')
max_width=${screen%x*}
max_height=${screen#*x}

PROGRAM_LOG=$SHOTS/phases.log
: >"$PROGRAM_LOG"

# Resizes the game window through the extremes and a spread in between, back to its size.
resize_through() { # phase
    local sizes="1 1 1 $max_height $max_width 1 $max_width $max_height 2 3 17 9 90 700 640 2"
    sizes+=" 300 200 1000 800 $((max_width - 1)) $((max_height - 1)) 734 538"
    set -- $sizes
    while [ $# -ge 2 ]; do
        xdotool windowsize "$GAME_WINDOW" "$1" "$2" 2>/dev/null || true
        sleep 0.05
        shift 2
    done
    sleep 0.3
    kill -0 "$PID" 2>/dev/null || fail "$phase: the program ended while it was resized"
}

# Closes the game window the way its close button does, and checks how the program ended.
close_and_check() { # phase
    wmctrl -i -c "$GAME_WINDOW"
    wait_for_exit "$PID"
    [ "$EXIT_STATUS" -eq 0 ] || fail "$1: closing ended the program with status $EXIT_STATUS"
    [ -z "$(visible_windows VorlanCup2001)" ] || fail "$1: a box was left on the screen"
    pgrep -f "^$game" >/dev/null && fail "$1: something of the game is still running"
    grep -q "Run-time error" "$PROGRAM_LOG" && fail "$1: an error was reported"
    echo "$1: resized and closed"
}

# The first click, from the keyboard; then the focus goes on to the visiting box, where it is
# after every guess.
start_entry() {
    xdotool key Return
    sleep 0.3
    xdotool key Tab Tab
}


phase="before the first click"
open_game "$game"
resize_through
close_and_check "$phase"

phase="mid-game"
open_game "$game"
start_entry
enter_guess 7 3
resize_through
shoot phases-mid-game
close_and_check "$phase"

phase="a message box open"
open_game "$game"
start_entry
enter_guess 3 5
wait_for_windows VorlanCup2001 1
resize_through
shoot phases-message-open
close_and_check "$phase"

# A new game played through its four quarters; the celebration starts.
play_four_quarters() {
    open_game "$game"
    start_entry
    for quarter in 1 2 3 4; do enter_guess 7 3; done
}

phase="the celebration"
play_four_quarters
sleep 0.2
resize_through
close_and_check "$phase"

phase="after the celebration"
play_four_quarters
sleep 2.5
resize_through
shoot phases-after
close_and_check "$phase"
echo "xvfb_phases: all checks passed"
