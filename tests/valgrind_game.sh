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

open_game valgrind --tool=memcheck --error-exitcode=99 --leak-check=full \
    --show-leak-kinds=definite --errors-for-leak-kinds=definite --track-origins=yes \
    --num-callers=30 --suppressions="$here/valgrind.supp" --gen-suppressions=all \
    --log-file="$log" "$game"
pid=$PID
game_window=$GAME_WINDOW
sleep 2

enter() { # home visiting, then time for the program to answer under valgrind
    enter_guess "$1" "$2"
    sleep 1.5
}

xdotool key Return # the first click draws the field
sleep 3
xdotool key Tab Tab
enter 3 5 # refused
wait_for_windows VorlanCup2001 1
sleep 1
xdotool key Return
wait_for_windows VorlanCup2001 0
enter 7 3
enter 10 -4
enter 99 98
enter 7 3 # the finish; the celebration runs
sleep 12
shoot valgrind-end
# The celebration has run to its end: the form is white around the seal.
client_geometry "$game_window"
corner=$(convert "$SHOTS/valgrind-end.png" -crop "1x1+$((X + 5))+$((Y + 5))" -format '#%[hex:u.p]' info:)
[ "$corner" = "#FFFFFF" ] || fail "the game did not reach the seal (corner $corner)"
wmctrl -i -c "$game_window"
wait_for_exit $pid
if [ "$EXIT_STATUS" -ne 0 ]; then
    cat "$log"
    fail "memcheck found errors, or the program ended with status $EXIT_STATUS"
fi
grep -E "ERROR SUMMARY|definitely lost" "$log"
echo "valgrind_game: no errors"
