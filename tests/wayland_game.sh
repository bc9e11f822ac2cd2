#!/usr/bin/env bash
# A whole game on Wayland, as Qt chooses it in a Wayland session: a headless weston for the
# compositor, no X display at all, and the game played through the accessibility bus (the title
# window's press action, OK, two boxes typed, a refused guess and its message, four quarters)
# up to the totals in the score table. The Wayland protocol log shows the window's title and its
# drawings reaching the compositor.
# Usage: wayland_game.sh PATH/TO/vorlan-cup
[ -n "${VORLAN_OWN_BUS:-}" ] || exec env VORLAN_OWN_BUS=1 dbus-run-session -- "$0" "$@"
game=$1
here=$(dirname "$0")
. "$here/xvfb_session.sh"
unset DISPLAY

# Weston names its headless back end "headless" from version 12 on, "headless-backend.so"
# before.
socket=wayland-vorlan
weston_listens_or_ended() { [ -S "$XDG_RUNTIME_DIR/$socket" ] || ! kill -0 $weston_pid 2>/dev/null; }
for backend in headless headless-backend.so; do
    timeout -k 5 600 weston --backend=$backend --socket=$socket --idle-time=0 \
        >"$SHOTS/weston.log" 2>&1 &
    weston_pid=$!
    wait_until weston_listens_or_ended || true
    [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
done
[ -S "$XDG_RUNTIME_DIR/$socket" ] || { cat "$SHOTS/weston.log" >&2; fail "weston did not start"; }
pids+=($weston_pid)
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)

a11y() { timeout -k 5 60 /usr/bin/python3 "$here/a11y.py" "$@" || fail "a11y.py $*"; }
# Waits up to ten seconds for a line to be on the screen (or, with "not", to be gone), as a
# screen reader finds it.
expect_on_screen() { # [not] line
    local want=yes
    [ "$1" = not ] && want=no && shift
    wait_until screen_shows $want "$1" ||
        fail "$([ $want = no ] && echo "still" || echo "not") on the screen: '$1'"
}
screen_shows() { # yes|no line
    if a11y showing | grep -qxF "$2"; then [ "$1" = yes ]; else [ "$1" = no ]; fi
}

log=$SHOTS/wayland-protocol.log
WAYLAND_DISPLAY=$socket XDG_SESSION_TYPE=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    WAYLAND_DEBUG=client setsid "$game" 2>"$log" &
PID=$!
pids+=($PID)
a11y press "Vorlan Cup 2001" >/dev/null
expect_on_screen $'label\tClick the OK button to Start\t'
a11y click OK
expect_on_screen $'label\tTolveys\t'
a11y type "Tolveys score" 3
a11y type "Falders score" 5
a11y click OK
expect_on_screen $'label\tYeah right, put in a real score\t'
a11y click OK VorlanCup2001
expect_on_screen not $'label\tYeah right, put in a real score\t'
quarter=0
for guess in "7 3" "10 -4" "99 98" "7 3"; do
    set -- $guess
    quarter=$((quarter + 1))
    a11y type "Tolveys score" "$1"
    a11y type "Falders score" "$2"
    a11y click OK "Vorlan Cup 2001"
    expect_on_screen "label"$'\t'"Quarter $quarter, Tolveys: $1"$'\t'
done
expect_on_screen $'label\tTotal, Tolveys: 123\t'
expect_on_screen $'label\tTotal, Falders: 100\t'

grep -q 'xdg_toplevel[@#][0-9]*\.set_title("Vorlan Cup 2001")' "$log" ||
    fail "no Wayland window titled 'Vorlan Cup 2001' (see $log)"
[ "$(grep -c 'wl_surface[@#][0-9]*\.attach(wl_buffer[@#]' "$log")" -ge 10 ] ||
    fail "the game's drawings did not reach the compositor (see $log)"
kill -0 $PID 2>/dev/null || fail "the game ended before it was closed"
kill $PID
echo "wayland_game: all checks passed"
