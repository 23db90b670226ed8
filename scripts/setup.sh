#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh" "$ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_BENCH=OFF
exec "$ROOT/build/tools/image_summary/orvane-image-summary" "$@"
