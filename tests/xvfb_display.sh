# shellcheck shell=bash
# Sourced by the real-window tests and by the benchmark: an environment of their own, and a
# private X display that answers before anything is started on it.

# private_environment DIR: home, runtime and temporary folders inside DIR, one locale, none of
# the caller's desktop or Qt settings, and no session bus (unless VORLAN_OWN_BUS says that the
# caller started one of its own): an address that fails at once, so that nothing is forked to
# start one and nothing reaches the caller's bus.
private_environment() {
    mkdir -p "$1/tmp"
    mkdir -m 700 "$1/runtime"
    export HOME=$1 TMPDIR=$1/tmp XDG_RUNTIME_DIR=$1/runtime
    export XDG_CONFIG_HOME=$1/config XDG_CACHE_HOME=$1/cache XDG_DATA_HOME=$1/data
    export LANG=C.UTF-8 LC_ALL=C.UTF-8
    unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_SCALE_FACTOR \
        QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING \
        QT_FONT_DPI QT_ACCESSIBILITY QT_LINUX_ACCESSIBILITY_ALWAYS_ON AT_SPI_BUS_ADDRESS \
        WAYLAND_DISPLAY XDG_CURRENT_DESKTOP XDG_SESSION_TYPE DESKTOP_SESSION SESSION_MANAGER
    [ -n "${VORLAN_OWN_BUS:-}" ] ||
        export DBUS_SESSION_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/no-bus
}

# wait_until COMMAND...: runs the command until it succeeds, WAIT_STEPS times at most (200, ten
# seconds, unless the caller sets another number: a test under valgrind waits longer) with
# WAIT_PAUSE seconds between (0.05); fails when it never did. Whoever waits says what for when it
# fails.
wait_until() {
    for _ in $(seq "${WAIT_STEPS:-200}"); do
        "$@" && return 0
        sleep "${WAIT_PAUSE:-0.05}"
    done
    return 1
}

# Whether the Xvfb started below answers on the display that it wrote to FILE (then sets number),
# or has ended.
xvfb_answers_or_ended() { # file
    number=$(head -n1 "$1")
    [ -n "$number" ] && DISPLAY=":$number" xdpyinfo >/dev/null 2>&1 && return 0
    number=""
    ! kill -0 "$XVFB_PID" 2>/dev/null
}

# start_xvfb [SCREEN]: starts Xvfb and waits until it answers a client, up to a minute on a
# starved machine; sets DISPLAY, XVFB_PID and XVFB_LOG (its own error output, which a failure
# shows).
start_xvfb() {
    XVFB_LOG=$(mktemp)
    local fdfile number=""
    fdfile=$(mktemp)
    # -noreset: the server stays up when its last client leaves.
    Xvfb -displayfd 3 -screen 0 "${1:-1280x1024x24}" -nolisten tcp -noreset \
        3>"$fdfile" 2>"$XVFB_LOG" &
    XVFB_PID=$!
    WAIT_STEPS=600 WAIT_PAUSE=0.1 wait_until xvfb_answers_or_ended "$fdfile" || true
    rm -f "$fdfile"
    if [ -z "$number" ]; then
        echo "Xvfb did not start or does not answer; its output:" >&2
        cat "$XVFB_LOG" >&2
        return 1
    fi
    export DISPLAY=":$number"
}

# Every X client that a test calls is bounded: one that waits on a server that has stopped
# answering ends the test with what it asked for (through USR1, which xvfb_session.sh turns into
# a failure with a screenshot), instead of hanging it until ctest's timeout.
X_CLIENT_SECONDS=${X_CLIENT_SECONDS:-30}
bounded() { # command...
    local status=0
    timeout -k 5 "$X_CLIENT_SECONDS" "$@" || status=$?
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        echo "no answer in $X_CLIENT_SECONDS s to: $*" >&2
        kill -USR1 $$ 2>/dev/null || true
    fi
    return "$status"
}
for client in xwininfo xdotool xprop xdpyinfo wmctrl import compare convert identify; do
    eval "$client() { bounded $client \"\$@\"; }"
done
