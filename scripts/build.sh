#!/usr/bin/env bash
# build.sh <build-dir> [extra cmake arguments...]: configure and build.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$1"; shift
cmake -S "$ROOT" -B "$BUILD" -G Ninja "$@"
cmake --build "$BUILD" --parallel "$(nproc)"
