#!/usr/bin/env bash
# The fuzz run of the test suite: replays the target's past faults, then fuzzes for 30 s from
# the seed corpus the target writes, with a fixed seed so that a failure can be run again.
# Usage: short-run.sh FUZZER REGRESSIONS_DIR ARTIFACTS_DIR
set -euo pipefail
fuzzer=$1 regressions=$2 artifacts=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$artifacts"

"$fuzzer" --write-seeds "$work/corpus"
if compgen -G "$regressions/*" >/dev/null; then
  "$fuzzer" -runs=1 "$regressions"/*
fi
# Crashing inputs are kept beside the build for a closer look.
"$fuzzer" -seed=1 -max_total_time=30 -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
  -print_final_stats=1 -artifact_prefix="$artifacts/" "$work/corpus"
