#!/usr/bin/env bash
# Runs the benchmark on a private X display without a window manager, so that nothing but the
# measured programs draws on it. Usage: bench/run.sh [--short] [BUILD-DIR]
set -euo pipefail
short=()
[ "${1:-}" = --short ] && short=(--short) && shift
build=${1:-$(dirname "$0")/../build}
. "$(dirname "$0")/../tests/xvfb_display.sh"
private=$(mktemp -d)
XVFB_PID=
trap 'kill $XVFB_PID 2>/dev/null; rm -rf "$private"' EXIT
private_environment "$private"
start_xvfb
"$build/bench/vorlan-bench" "${short[@]}" "$build/vorlan-cup" "$build/bench/bare-window" \
    "$build/assets/pictures" ||
    { status=$?; echo "Xvfb's output:" >&2; cat "$XVFB_LOG" >&2; exit $status; }
