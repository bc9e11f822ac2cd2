#!/usr/bin/env bash
# A whole game in a real window under valgrind's memcheck: the title click, the first OK, a
# refused guess and its box, four quarters, the celebration to its end, and the close. Fails on
# any invalid read or write, any use of an uninitialised value and any definite leak that the
# suppressions (the toolkit's own, each explained in valgrind.supp) do not cover.
# Usage: valgrind_game.sh PATH/TO/vorlan-cup
game=$1
here=$(cd "$(dirname "$0")" && pwd)
WAIT_STEPS=1200 # a minute: everything is slower under valgrind
. "$here/xvfb_session.sh"

log=$SHOTS/valgrind.log
start_display

# A child that the program forks and that never becomes another program (as a library does to
# start a helper) is no part of the game: valgrind stays silent about it.
open_game valgrind --tool=memcheck --error-exitcode=99 --leak-check=full \
    --show-leak-kinds=definite --errors-for-leak-kinds=definite --track-origins=yes \
    --num-callers=30 --suppressions="$here/valgrind.supp" --gen-suppressions=all \
    --child-silent-after-fork=yes --log-file="$log" "$game"
pid=$PID
game_window=$GAME_WINDOW

xdotool key Return # the first click draws the field
wait_for_pixel "$game_window" 150 60 '#64CF30'
xdotool key Tab Tab
enter_guess 3 5 # refused
wait_for_windows VorlanCup2001 1
wait_for_focus "$(visible_windows VorlanCup2001)"
xdotool key Return
wait_for_windows VorlanCup2001 0
wait_for_focus "$game_window"
enter_guess 7 3
enter_guess 10 -4
enter_guess 99 98
enter_guess 7 3 # the finish; the celebration runs
# ... to its end: the form is white around the seal.
wait_for_pixel "$game_window" 5 5 '#FFFFFF'
shoot valgrind-end
wmctrl -i -c "$game_window"
wait_for_exit $pid
if [ "$EXIT_STATUS" -ne 0 ]; then
    cat "$log"
    fail "memcheck found errors, or the program ended with status $EXIT_STATUS"
fi
grep -E "ERROR SUMMARY|definitely lost" "$log"
echo "valgrind_game: no errors"
