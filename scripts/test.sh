#!/usr/bin/env bash
# Installs what is missing, builds warning-free (-Werror) and runs every test.
# test.sh [build-dir [extra cmake arguments...]]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${1:-$ROOT/build-test}"; shift || true
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh" "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_WERROR=ON "$@"
cd "$BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
