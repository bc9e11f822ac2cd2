#!/usr/bin/env bash
# Runs the conversion fuzzer from the seed corpus: run.sh BUILD-DIR [LIBFUZZER OPTIONS...]
# (for instance -max_total_time=20, or -runs=1000000). New inputs go to a temporary corpus, so
# the seeds in the repository stay as they are; a crash leaves its input in BUILD-DIR.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1
shift
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
# An input that takes over a second is a failure too.
"$build/fuzz_convert" -timeout=1 -rss_limit_mb=2048 -artifact_prefix="$build/" \
    -print_final_stats=1 "$@" "$corpus" "$here/corpus"
