#!/usr/bin/env bash
# Runs every benchmark and prints one figure a line, "name: value unit".
set -uo pipefail
build="${1:-build}"
cd "$(dirname "$0")/.."
status=0
for bench in "$build"/bench/*_bench; do
  [ -x "$bench" ] || continue
  "$bench" || status=1
done
for script in bench/*_bench.sh; do
  [ -f "$script" ] || continue
  bash "$script" "$build" || status=1
done
exit $status
