#!/usr/bin/env bash
# Runs the benchmark on a private X display without a window manager, so that nothing but the
# measured programs draws on it. Usage: bench/run.sh [--short] [BUILD-DIR]
set -euo pipefail
short=()
[ "${1:-}" = --short ] && short=(--short) && shift
build=${1:-$(dirname "$0")/../build}
. "$(dirname "$0")/../tests/xvfb_display.sh"
runtime=$(mktemp -d)
XVFB_PID= XVFB_LOG=
trap 'kill $XVFB_PID 2>/dev/null; rm -rf "$runtime" ${XVFB_LOG:+"$XVFB_LOG"}' EXIT
start_xvfb
export XDG_RUNTIME_DIR=$runtime LC_ALL=C.UTF-8
# No session bus: an address that fails at once, so that nothing is started for one.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$runtime/no-bus
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_STYLE_OVERRIDE QT_LINUX_ACCESSIBILITY_ALWAYS_ON
"$build/bench/vorlan-bench" "${short[@]}" "$build/vorlan-cup" "$build/bench/bare-window" ||
    { status=$?; echo "Xvfb's output:" >&2; cat "$XVFB_LOG" >&2; exit $status; }
