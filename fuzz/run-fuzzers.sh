#!/usr/bin/env bash
# Runs every libFuzzer target for a bounded time over a working copy of its
# seeds in the build folder; what a run discovers stays there, for the next
# run to start from, and never reaches the committed corpus.
#   fuzz/run-fuzzers.sh BUILD_DIR SECONDS
set -euo pipefail
build=$1
seconds=$2
seeds_root="$(cd "$(dirname "$0")" && pwd)/corpus"

for seeds in "$seeds_root"/*/; do
  target=$(basename "$seeds")
  work="$build/corpus/$target"
  mkdir -p "$work"
  cp "$seeds"* "$work"/
  echo "== $target, $seconds s"
  if ! "$build/$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$build/$target-" "$work" > "$build/$target.log" 2>&1; then
    tail -n 40 "$build/$target.log"
    echo "$target failed; its log is $build/$target.log" >&2
    exit 1
  fi
  grep -E '^#[0-9]+[[:space:]]+DONE|^stat::(number_of_executed_units|average_exec_per_sec)' \
    "$build/$target.log"
done
