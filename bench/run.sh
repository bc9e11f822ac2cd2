#!/usr/bin/env bash
# Runs the benchmark on a private X display without a window manager, so that nothing but the
# measured programs draws on it. Usage: bench/run.sh [--short] [BUILD-DIR]
set -euo pipefail
short=()
[ "${1:-}" = --short ] && short=(--short) && shift
build=${1:-$(dirname "$0")/../build}
runtime=$(mktemp -d)
fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$runtime" "$fdfile"' EXIT
for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$fdfile")" XDG_RUNTIME_DIR=$runtime
unset QT_QPA_PLATFORM
"$build/bench/vorlan-bench" "${short[@]}" "$build/vorlan-cup" "$build/bench/bare-window"
