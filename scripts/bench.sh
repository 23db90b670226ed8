#!/usr/bin/env bash
# Builds the optimised configuration and runs every benchmark.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh" "$ROOT/build-bench" -DCMAKE_BUILD_TYPE=Release -DORVANE_BENCH=ON
for b in "$ROOT"/build-bench/bench/bench_*; do
  if [ -f "$b" ] && [ -x "$b" ]; then "$b"; fi
done
