#!/usr/bin/env bash
# fuzz.sh [seconds [target...]]: builds the fuzz targets of tests/fuzz with
# clang and libFuzzer into build-fuzz/ and runs each for the given seconds
# (60 by default), every target by default. Each starts from its seed
# corpus in git and keeps what it finds in build-fuzz/corpus/<target>; an
# input that breaks an invariant is written to build-fuzz/crashes/.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
SECONDS_EACH="${1:-60}"
shift || true
BUILD="$ROOT/build-fuzz"
ORVANE_FUZZ=ON "$ROOT/scripts/install-deps.sh"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DORVANE_FUZZ=ON -DORVANE_BENCH=OFF
cmake --build "$BUILD" --parallel "$(nproc)" --target orvane_fuzzers
targets=("$@")
if ((${#targets[@]} == 0)); then
  for seeds in "$ROOT"/tests/fuzz/corpus/*/; do targets+=("$(basename "$seeds")"); done
fi
mkdir -p "$BUILD/crashes"
for target in "${targets[@]}"; do
  echo "=== fuzzing $target for $SECONDS_EACH s ==="
  mkdir -p "$BUILD/corpus/$target"
  # Firmware files with a DSP image are a quarter of a megabyte.
  max_len=65536
  if [ "$target" = Firmware ]; then max_len=400000; fi
  QT_QPA_PLATFORM=offscreen "$BUILD/tests/fuzz/fuzz_$target" -max_total_time="$SECONDS_EACH" \
    -max_len="$max_len" -artifact_prefix="$BUILD/crashes/$target-" -print_final_stats=1 \
    "$BUILD/corpus/$target" "$ROOT/tests/fuzz/corpus/$target"
done
