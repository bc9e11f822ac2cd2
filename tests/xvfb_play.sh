#!/usr/bin/env bash
# A whole game in a real X window, played as a person with a screen reader would: the title
# window's press action, the first OK, a refused guess whose message box is closed with Enter,
# four quarters typed into the boxes, the score table as the screen reader names it, the
# celebration and the seal. What the game shows is read through the accessibility bus and from
# screenshots.
# Usage: xvfb_play.sh PATH/TO/vorlan-cup
# The accessibility bus needs a session bus: one of the test's own.
[ -n "${VORLAN_OWN_BUS:-}" ] || exec env VORLAN_OWN_BUS=1 dbus-run-session -- "$0" "$@"
game=$1
here=$(dirname "$0")
. "$here/xvfb_session.sh"

start_display
start_accessibility_bus

# What a screen reader finds on the screen, one "role<TAB>name<TAB>text" line per control.
read_screen() { /usr/bin/python3 "$here/a11y.py" showing; }
# Waits up to ten seconds for a line to be on the screen (or, with "not", to be gone).
expect_on_screen() { # [not] line
    local want=yes
    [ "$1" = not ] && want=no && shift
    WAIT_STEPS=20 WAIT_PAUSE=0.5 wait_until screen_shows $want "$1" ||
        fail "on the screen: '$1' expected $want (see $SHOTS/screen.txt)"
}
screen_shows() { # yes|no line
    read_screen >"$SHOTS/screen.txt"
    if grep -qxF "$2" "$SHOTS/screen.txt"; then [ "$1" = yes ]; else [ "$1" = no ]; fi
}
expect_not_on_screen() { expect_on_screen not "$1"; }
# Waits up to ten seconds for the keyboard focus to be on a control ("role<TAB>name"): keys
# typed before the game has taken the focus back from a closed message would go astray.
expect_focus() { # line
    WAIT_STEPS=20 WAIT_PAUSE=0.5 wait_until focus_on "$1" || fail "the focus: '$1' expected, '$FOCUS' found"
}
focus_on() { # line; sets FOCUS
    FOCUS=$(/usr/bin/python3 "$here/a11y.py" focused)
    [ "$FOCUS" = "$1" ]
}
# A pixel of the game window's client area, as ImageMagick's hex colour.
pixel() { # shot x y
    client_geometry "$game_window"
    convert "$SHOTS/$1.png" -crop "1x1+$((X + $2))+$((Y + $3))" -format '#%[hex:u.p]' info:
}

FORM_GREY='#EFEFEF'
# A refused guess with Enter held down (where the focus is): the first press refuses it, the
# first repeat closes the message, and the other repeats do nothing. One message shows, none is
# left open. Each message box is a new window, and the window manager makes a frame for it:
# two windows for the one message.
hold_enter() { # where
    xev -root -event substructure >"$SHOTS/held-enter-$1.log" 2>&1 &
    local xev=$!
    pids+=($xev)
    sleep 0.3 # xev is listening
    xdotool keydown Return
    sleep 1.5 # about twenty repeats
    xdotool keyup Return
    wait_for_windows VorlanCup2001 0
    wait_for_focus "$game_window"
    kill $xev
    local created
    created=$(grep -c '^CreateNotify' "$SHOTS/held-enter-$1.log")
    [ "$created" -eq 2 ] ||
        fail "held Enter ($1): $created windows made, where one message makes two"
}
# The title, as a screen reader presents it: its description says how to start, and its press
# action opens the game.
setsid "$game" 2>>"$SHOTS/program.log" &
pid=$!
pids+=($pid)
wait_for_windows "Vorlan Cup 2001" 1
title_window=$(visible_windows "Vorlan Cup 2001")
description=$(/usr/bin/python3 "$here/a11y.py" press "Vorlan Cup 2001") ||
    fail "the title window's press action: $description"
[ "$description" = "Press Enter, or click the window, to start guessing" ] ||
    fail "the title window's description: '$description'"
wait_for_other_window "Vorlan Cup 2001" "$title_window"
game_window=$(visible_windows "Vorlan Cup 2001")
xdotool windowactivate --sync "$game_window" 2>/dev/null || true
wait_for_focus "$game_window"
wait_for_pixel "$game_window" 5 5 "$FORM_GREY"
shoot play-1-start
expect_on_screen $'label\tClick the OK button to Start\t'
expect_not_on_screen $'label\tTolveys\t'

# The first OK, from the keyboard: the focus rests on the button.
xdotool key Return
wait_for_pixel "$game_window" 150 60 '#64CF30'
shoot play-2-field
[ "$(pixel play-2-field 150 60)" = "#64CF30" ] || fail "no green field"
[ "$(pixel play-2-field 33 60)" = "#FFFFFF" ] || fail "no white border"
expect_on_screen $'label\tTolveys\t'
expect_on_screen $'label\tQuarter\t'
expect_not_on_screen $'label\tClick the OK button to Start\t'
# Enter held on the button, which keeps the focus: the boxes show 0 and 0, which it refuses.
hold_enter button
expect_focus $'push button\tOK'
expect_on_screen $'text\tTolveys score\t'

# The field stays when the window grows; the new area shows the form's colour.
xdotool windowsize --sync "$game_window" 900 650 || true
wait_for_pixel "$game_window" 850 100 "$FORM_GREY"
shoot play-3-resized
[ "$(window_size "$game_window")" = 900x650 ] || fail "resize: $(window_size "$game_window")"
[ "$(pixel play-3-resized 150 60)" = "#64CF30" ] || fail "field lost on resize"
[ "$(pixel play-3-resized 850 100)" = "$FORM_GREY" ] || fail "new area not blank"
xdotool windowsize --sync "$game_window" 734 538 || true

# A refused guess: its message, read from the box, which Enter closes.
xdotool key Tab # from the button round to the home box
xdotool key ctrl+a
xdotool type -- 3
xdotool key Tab ctrl+a
xdotool type -- 5
xdotool key Return
wait_for_windows VorlanCup2001 1
expect_on_screen $'label\tYeah right, put in a real score\t'
shoot play-4-refused
xdotool key Return
wait_for_windows VorlanCup2001 0
wait_for_focus "$game_window"
# Back in the box where Enter was pressed.
expect_focus $'text\tFalders score'

# Another refused guess, with Enter held down in the box.
xdotool key shift+Tab ctrl+a
xdotool type -- 2
xdotool key Tab ctrl+a
xdotool type -- 6
hold_enter box
expect_on_screen $'text\tTolveys score\t'
expect_on_screen $'text\tFalders score\t'
expect_focus $'text\tFalders score'

# Four quarters, typed.
enter_guess 7 3
enter_guess 10 -4
enter_guess 99 98
expect_on_screen $'label\tQuarter 3, Tolveys: 99\t'
shoot_window metainfo-game "$game_window"
expect_on_screen $'label\tQuarter: 4\t'
expect_on_screen $'label\tQuarter 2, Falders: -4\t'
# The last quarter: the screen reader hears the totals unasked.
/usr/bin/python3 "$here/a11y.py" hear 30 >"$SHOTS/heard.txt" 2>&1 &
pids+=($!)
wait_until grep -q listening "$SHOTS/heard.txt" || fail "the screen reader's listener did not start"
enter_guess 7 3
wait_for_pixel "$game_window" 650 488 '#000000' # the sum line of the score table
shoot play-5-celebration
# The score table, as a screen reader names it, read once while the celebration runs.
read_screen >"$SHOTS/score-table.txt"
for cell in "Quarter 1, Tolveys: 7" "Quarter 1, Falders: 3" "Quarter 2, Tolveys: 10" \
    "Quarter 3, Falders: 98" "Quarter 4, Tolveys: 7" "Quarter 4, Falders: 3" \
    "Total, Tolveys: 123" "Total, Falders: 100" "Tolveys column" "Falders column"; do
    grep -qxF "label"$'\t'"$cell"$'\t' "$SHOTS/score-table.txt" ||
        fail "the score table: no '$cell' (see $SHOTS/score-table.txt)"
done

# The celebration ends with the seal alone on white.
expect_not_on_screen $'push button\tOK\t'
wait_for_pixel "$game_window" 5 5 '#FFFFFF'
shoot play-6-seal
read_screen >"$SHOTS/screen.txt"
[ "$(grep -vc $'^\\(filler\\|frame\\|window\\)\t' "$SHOTS/screen.txt")" -eq 1 ] &&
    grep -q $'^image\tThe champions\' seal' "$SHOTS/screen.txt" ||
    fail "more than the seal on the screen (see $SHOTS/screen.txt)"
client_geometry "$game_window"
colours=$(convert "$SHOTS/play-6-seal.png" -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage \
    -fill white -draw "rectangle 256,152 471,367" -format '%k' info:)
[ "$colours" -eq 1 ] || fail "the form is not white around the seal ($colours colours)"
[ "$(pixel play-6-seal 364 156)" = "#000000" ] || fail "no seal"

heard_twice() { [ "$(wc -l <"$SHOTS/heard.txt")" -ge 2 ]; }
wait_until heard_twice || true # what was heard says what is missing
[ "$(sed -n 2p "$SHOTS/heard.txt")" = "Total, Falders: 100. Total, Tolveys: 123" ] ||
    fail "what the screen reader heard at the end: $(cat "$SHOTS/heard.txt")"
close_window "$game_window"
wait_for_exit $pid
[ "$EXIT_STATUS" -eq 0 ] || fail "closing the game: exit status $EXIT_STATUS"
echo "xvfb_play: all checks passed"
