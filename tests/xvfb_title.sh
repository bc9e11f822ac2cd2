#!/usr/bin/env bash
# The real program in a real X window: the title screen, its clicks and keys, a whole game
# played with the keyboard alone, and how the program ends.
# Usage: xvfb_title.sh PATH/TO/vorlan-cup
game=$1
. "$(dirname "$0")/xvfb_session.sh"

title="Vorlan Cup 2001"

# --help and --version answer, with or without a display.
version=$(timeout -k 5 30 env -u DISPLAY "$game" --version) && [[ $version =~ ^vorlan-cup\ [0-9]+\.[0-9]+\.[0-9]+$ ]] ||
    fail "--version: '$version'"
timeout -k 5 30 env -u DISPLAY "$game" --help | grep -q "^Usage: vorlan-cup \[--help | --version\]$" ||
    fail "--help: '$(timeout -k 5 30 env -u DISPLAY "$game" --help 2>&1)'"

# Without a display the program says what is missing instead of aborting.
status=0
message=$(timeout -k 5 30 env -u DISPLAY "$game" 2>&1) || status=$?
[ "$status" -eq 2 ] || fail "without a display: exit status $status"
grep -q "no display was found" <<<"$message" || fail "without a display: '$message'"
status=0
message=$(DISPLAY=:999 timeout -k 5 30 "$game" 2>&1) || status=$?
[ "$status" -eq 2 ] && grep -q 'display ":999" cannot be opened' <<<"$message" ||
    fail "with a dead display: $status '$message'"

# A Wayland session whose compositor does not answer, with no X display either.
status=0
message=$(timeout -k 5 30 env -u DISPLAY WAYLAND_DISPLAY=wayland-gone XDG_SESSION_TYPE=wayland "$game" 2>&1) ||
    status=$?
[ "$status" -eq 2 ] && grep -q "neither Wayland nor X11 can be used" <<<"$message" ||
    fail "in a dead Wayland session: $status '$message'"
# A Wayland session whose compositor answers, with no X display, on a machine without Qt's
# Wayland support (as the program passes on what Qt said of it above): the program names the
# package. (Where that support is installed, the stand-in compositor below would not do.)
if grep -q 'Could not find the Qt platform plugin "wayland"' <<<"$message"; then
    python3 -c 'import socket, sys, time
s = socket.socket(socket.AF_UNIX); s.bind(sys.argv[1]); s.listen(); time.sleep(60)' \
        "$XDG_RUNTIME_DIR/wayland-standin" &
    pids+=($!)
    wait_until test -S "$XDG_RUNTIME_DIR/wayland-standin" || fail "the stand-in compositor did not start"
    status=0
    message=$(timeout -k 5 30 env -u DISPLAY WAYLAND_DISPLAY=wayland-standin "$game" 2>&1) ||
        status=$?
    [ "$status" -eq 2 ] && grep -q "package qt6-wayland" <<<"$message" ||
        fail "in a Wayland session without Qt's Wayland support: $status '$message'"
fi

start_display

# Starts the game and waits for its title screen; sets pid.
start_title() {
    "$game" 2>>"$SHOTS/program.log" &
    pid=$!
    pids+=($pid)
    wait_for_windows "$title" 1
}

# In a Wayland session that Qt cannot use, the game opens on the session's X display.
WAYLAND_DISPLAY=wayland-gone XDG_SESSION_TYPE=wayland start_title
close_window "$(visible_windows "$title")"
wait_for_exit $pid
[ "$EXIT_STATUS" -eq 0 ] || fail "the game on X in a Wayland session: exit status $EXIT_STATUS"

# Closing the title screen before the game screen exists ends the program.
start_title
close_window "$(visible_windows "$title")"
wait_for_exit $pid
[ "$EXIT_STATUS" -eq 0 ] || fail "closing the title screen: exit status $EXIT_STATUS"

# Clicks on the words and on the emblems do nothing; a click on the band below opens the game.
start_title
window=$(visible_windows "$title")
[ "$(window_size "$window")" = 369x350 ] || fail "title client size $(window_size "$window")"
wait_for_pixel "$window" 5 5 '#3E3468' # the purple panel
shoot title-screen
shoot_window metainfo-title "$window"
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

# A whole game with the keyboard alone, from the title screen to the seal: Space on the title,
# Enter for the first OK, then each quarter typed into the boxes.
start_title
window=$(visible_windows "$title")
wait_for_focus "$window"
xdotool key space
wait_for_other_window "$title" "$window"
game_window=$(visible_windows "$title")
wait_for_focus "$game_window"
xdotool key Return Tab Tab
wait_for_pixel "$game_window" 150 60 '#64CF30' # the field
for _ in 1 2 3 4; do enter_guess 7 3; done
wait_for_pixel "$game_window" 5 5 '#FFFFFF' # the seal alone on white
shoot keyboard-seal
xdotool key alt+F4
wait_for_exit $pid
[ "$EXIT_STATUS" -eq 0 ] || fail "the keyboard's game: exit status $EXIT_STATUS"
echo "xvfb_title: all checks passed"
