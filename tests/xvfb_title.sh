#!/usr/bin/env bash
# The real program in a real X window: the title screen, its clicks, and how the program ends.
# Usage: xvfb_title.sh PATH/TO/vorlan-cup
game=$1
. "$(dirname "$0")/xvfb_session.sh"

title="Vorlan Cup 2001"

# Without a display the program says what is missing instead of aborting.
status=0
message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$game" 2>&1) || status=$?
[ "$status" -eq 2 ] || fail "without a display: exit status $status"
grep -q "no display was found" <<<"$message" || fail "without a display: '$message'"
status=0
message=$(DISPLAY=:999 "$game" 2>&1) || status=$?
[ "$status" -eq 2 ] && grep -q 'display ":999" cannot be opened' <<<"$message" ||
    fail "with a dead display: $status '$message'"

start_display

# Closing the title screen before the game screen exists ends the program.
"$game" 2>>"$SHOTS/program.log" &
pid=$!
pids+=($pid)
wait_for_windows "$title" 1
close_window "$(visible_windows "$title")"
wait_for_exit $pid
[ "$EXIT_STATUS" -eq 0 ] || fail "closing the title screen: exit status $EXIT_STATUS"

# Clicks on the words and on the emblems do nothing; a click on the band below opens the game.
"$game" 2>>"$SHOTS/program.log" &
pid=$!
pids+=($pid)
wait_for_windows "$title" 1
window=$(visible_windows "$title")
[ "$(window_size "$window")" = 369x350 ] || fail "title client size $(window_size "$window")"
wait_for_pixel "$window" 5 5 '#3E3468' # the purple panel
shoot title-screen
for point in "2800 400" "1500 3600" "1400 2100" "4100 2100"; do
    click_twips "$window" $point
done
# The program takes its events in turn: once it has drawn itself at a new size, it has taken
# the clicks before.
xdotool windowsize "$window" 380 360
wait_for_pixel "$window" 375 355 '#ABABAB'
[ "$(visible_windows "$title")" = "$window" ] || fail "a click on a label or emblem changed the screen"

click_twips "$window" 4000 5000
wait_for_other_window "$title" "$window"
game_window=$(visible_windows "$title")
[ "$(window_size "$game_window")" = 734x538 ] || fail "game client size $(window_size "$game_window")"
wait_for_pixel "$game_window" 5 5 '#EFEFEF'
shoot game-screen-opened

# Closing the game screen ends the program.
close_window "$game_window"
wait_for_exit $pid
[ "$EXIT_STATUS" -eq 0 ] || fail "closing the game screen: exit status $EXIT_STATUS"
echo "xvfb_title: all checks passed"
