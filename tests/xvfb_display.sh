# shellcheck shell=bash
# Sourced by the real-window tests and by the benchmark: a private X display that answers
# before anything is started on it.

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
    for _ in $(seq 600); do
        number=$(head -n1 "$fdfile")
        [ -n "$number" ] && DISPLAY=":$number" xdpyinfo >/dev/null 2>&1 && break
        number=""
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$fdfile"
    if [ -z "$number" ]; then
        echo "Xvfb did not start or does not answer; its output:" >&2
        cat "$XVFB_LOG" >&2
        return 1
    fi
    export DISPLAY=":$number"
}
