#!/usr/bin/env bash
# The game window resized from 1 x 1 pixel to the whole screen and to the largest size that it
# may take, and then closed, at every phase of a game: before the first click, mid-game, while a
# message box is open, during the celebration and after it. Each time the program must live
# through the sizes with no more memory than a bare Qt window of the same size needs, give the
# memory back when the window shrinks, end with exit status 0 when closed, show no error box and
# leave nothing running. Then the display goes away at four phases, and the X server cuts the
# game's connection once: each time the program must end with the toolkit's message and status
# 1, never with a crash.
# Usage: xvfb_phases.sh PATH/TO/vorlan-cup [PATH/TO/bare-window]
# Without the bare window (as for a build under the sanitizers, whose own memory would swamp the
# figures) the window still grows to its limit at every phase, but memory goes unmeasured.
game=$1
bare=${2:-}
. "$(dirname "$0")/xvfb_session.sh"

start_display
screen=$(xdpyinfo | awk '/dimensions:/ {print $2}')
max_width=${screen%x*}
max_height=${screen#*x}
FORM_GREY='#EFEFEF'
# Every program here runs in this much address space at most, so that a window that takes
# memory without bound fails the test instead of exhausting the machine.
MEMORY_LIMIT=$((3 * 1024 * 1024 * 1024))
limited=()
[ -z "$bare" ] || limited=(prlimit --as=$MEMORY_LIMIT)

PROGRAM_LOG=$SHOTS/phases.log
: >"$PROGRAM_LOG"

memory_kib() { # pid field
    awk -v field="$2:" '$1 == field {print $2}' "/proc/$1/status"
}

# Three points near the screen's far edges, as the screen shows them.
far_points() {
    local right=$((max_width - 1)) bottom=$((max_height - 1))
    echo "$(screen_pixel $right $bottom) $(screen_pixel $right $((max_height / 2)))" \
        "$(screen_pixel $((max_width / 2)) $bottom)"
}

# Grows a window as far as X lets it, to the largest size that its program allows, and waits
# until three points near the screen's far edges, which the window then covers, show the form's
# colour: the program has drawn itself at that size. (Until it has, X shows them white. A
# message box that the window manager keeps on the screen covers one of them at most.)
# First, though, the window must be seen away from those points: a window that grows leaves on
# the screen what was there before, so grey left by a larger size drawn earlier would pass for
# a drawing at the new one. (The window manager may also merge a shrink with the grow after it.)
grow_to_the_limit() { # window width height
    wait_until far_points_not_grey ||
        fail "the window still covers the screen's far edges at $(window_size "$1")"
    xdotool windowsize "$1" "$2" "$3"
    wait_until far_points_grey || fail "the window did not grow over the screen ($(window_size "$1"))"
}
far_points_grey() { [ "$(far_points)" = "$FORM_GREY $FORM_GREY $FORM_GREY" ]; }
far_points_not_grey() { ! far_points_grey; }

# Waits until the program has given back what a window at the largest size took.
wait_for_memory_back() { # pid what
    wait_until memory_back "$1" || fail "$2: still $RSS KiB in use after the window shrank"
}
memory_back() { # pid; sets RSS
    RSS=$(memory_kib "$1" VmRSS)
    [ "$RSS" -lt $((128 * 1024)) ]
}

# The reference: a bare Qt window with one label, at the largest size that the game allows.
largest=16384x16384
if [ -n "$bare" ]; then
    "${limited[@]}" "$bare" 2>>"$PROGRAM_LOG" &
    bare_pid=$!
    pids+=($bare_pid)
    wait_for_windows "Bare window" 1
    bare_window=$(visible_windows "Bare window")
    grow_to_the_limit "$bare_window" 16384 16384
    [ "$(window_size "$bare_window")" = $largest ] ||
        fail "the bare window is $(window_size "$bare_window")"
    bare_peak=$(memory_kib $bare_pid VmHWM)
    kill $bare_pid
    echo "a bare window of $largest: peak memory $bare_peak KiB"
fi

# Resizes the game window through the extremes and a spread in between; grows it to its limit,
# where its peak memory is checked against the bare window's; and takes it back to its size.
resize_through() { # phase
    local sizes="1 1 1 $max_height $max_width 1 $max_width $max_height 2 3 17 9 90 700 640 2"
    sizes+=" 300 200 1000 800 $((max_width - 1)) $((max_height - 1)) 734 538"
    set -- $sizes
    while [ $# -ge 2 ]; do
        xdotool windowsize "$GAME_WINDOW" "$1" "$2" 2>/dev/null || true
        shift 2
    done
    grow_to_the_limit "$GAME_WINDOW" 32767 32767
    [ "$(window_size "$GAME_WINDOW")" = "$largest" ] ||
        fail "$phase: the window grew to $(window_size "$GAME_WINDOW"), past $largest"
    xdotool windowsize "$GAME_WINDOW" 734 538
    [ -n "$bare" ] || return 0
    local peak
    peak=$(memory_kib "$PID" VmHWM)
    echo "$phase: peak memory at $largest: $peak KiB, $(((peak - bare_peak) / 1024)) MiB over the bare window"
    # Below half the bare window's, the program cannot have drawn at that size: no measure.
    [ "$peak" -ge $((bare_peak / 2)) ] || fail "$phase: peak memory $peak KiB, no window of $largest"
    [ "$peak" -le $((bare_peak + 8 * 1024)) ] ||
        fail "$phase: peak memory $peak KiB, more than 8 MiB over the bare window's $bare_peak KiB"
    wait_for_memory_back "$PID" "$phase"
}

# Closes the game window the way its close button does, and checks how the program ended.
close_and_check() { # phase
    wmctrl -i -c "$GAME_WINDOW"
    wait_for_exit "$PID"
    [ "$EXIT_STATUS" -eq 0 ] || fail "$1: closing ended the program with status $EXIT_STATUS"
    [ -z "$(visible_windows VorlanCup2001)" ] || fail "$1: a box was left on the screen"
    check_nothing_left "$1"
    grep -q "Run-time error" "$PROGRAM_LOG" && fail "$1: an error was reported"
    echo "$1: resized and closed"
}

# The first click, from the keyboard; then the focus goes on to the visiting box, where it is
# after every guess.
start_entry() {
    xdotool key Return Tab Tab
}

# A new game played through its four quarters; the celebration starts, and the sum line of the
# score table shows.
play_four_quarters() {
    open_game "${limited[@]}" "$game"
    start_entry
    for quarter in 1 2 3 4; do enter_guess 7 3; done
    wait_for_pixel "$GAME_WINDOW" 650 488 '#000000'
}

phase="before the first click"
open_game "${limited[@]}" "$game"
resize_through
close_and_check "$phase"

phase="mid-game"
open_game "${limited[@]}" "$game"
start_entry
enter_guess 7 3
resize_through
shoot phases-mid-game
close_and_check "$phase"

phase="a message box open"
open_game "${limited[@]}" "$game"
start_entry
enter_guess 3 5
wait_for_windows VorlanCup2001 1
resize_through
shoot phases-message-open
close_and_check "$phase"

phase="the celebration"
play_four_quarters
resize_through
close_and_check "$phase"

phase="after the celebration"
play_four_quarters
wait_for_pixel "$GAME_WINDOW" 5 5 '#FFFFFF'
resize_through
shoot phases-after
close_and_check "$phase"

# The display goes away: the program ends with the toolkit's message and status 1.
expect_lost_display() { # phase
    wait_for_exit "$PID"
    [ "$EXIT_STATUS" -eq 1 ] || fail "$1: losing the display ended the program with status $EXIT_STATUS"
    grep -q "The X11 connection broke" "$PROGRAM_LOG" || fail "$1: no word of the lost display"
    check_nothing_left "$1"
    echo "$1: the program ended with status 1"
    : >"$PROGRAM_LOG"
}
lose_display() { # phase
    stop_display
    expect_lost_display "$1"
    start_display
}

: >"$PROGRAM_LOG"
setsid "$game" 2>>"$PROGRAM_LOG" &
PID=$!
pids+=($PID)
wait_for_windows "Vorlan Cup 2001" 1
# A write to the lost display must not end the program by SIGPIPE before the toolkit notices.
ignored=$(awk '/^SigIgn:/ { print $2 }' "/proc/$PID/status")
(( (16#$ignored >> 12) & 1 )) || fail "the program does not ignore SIGPIPE (SigIgn $ignored)"
lose_display "the display lost on the title screen"

open_game "$game"
start_entry
enter_guess 7 3
lose_display "the display lost mid-game"

open_game "$game"
start_entry
enter_guess 3 5
wait_for_windows VorlanCup2001 1
lose_display "the display lost with a message box open"

play_four_quarters
lose_display "the display lost during the celebration"

# The same when the X server cuts the game's own connection, as `xkill` does.
open_game "$game"
start_entry
xdotool windowkill "$GAME_WINDOW"
expect_lost_display "the game's connection cut"
echo "xvfb_phases: all checks passed"
