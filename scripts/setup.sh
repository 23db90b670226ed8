#!/usr/bin/env bash
# Installs what is missing, builds the program and starts the editor.
#
# With the processor plugged in (USB 0483:5750) the editor runs on the
# user's own settings. Without it, the simulated processor starts on
# 127.0.0.1:8899 and the editor runs on settings of its own that point it
# there; the simulator stops when the editor ends (or on Ctrl-C). Without a
# display the editor's main window is written to two pictures instead.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$ROOT/build"
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh" "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_BENCH=OFF

EDITOR_BIN="$BUILD/app/orvane-editor"
SIMULATOR_BIN="$BUILD/tools/simulator/orvane-devsim"
REVIEW_BIN="$BUILD/tools/main_review/orvane-main-review"
SIM_PORT=8899
SIM_LIFETIME=86400  # a day

# No display: what the editor shows, connected to a simulated processor.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  OUT="$BUILD/main-review"
  echo "No display: writing the editor's main window to pictures."
  exec "$REVIEW_BIN" "$OUT"
fi

device_present() {
  local d
  for d in /sys/bus/usb/devices/*; do
    if [ -r "$d/idVendor" ] && [ -r "$d/idProduct" ] &&
       [ "$(cat "$d/idVendor")" = "0483" ] && [ "$(cat "$d/idProduct")" = "5750" ]; then
      return 0
    fi
  done
  return 1
}

if device_present; then
  echo "The processor is plugged in: the editor runs on your settings."
  exec "$EDITOR_BIN" "$@"
fi

# The simulated processor, on the loopback address only.
SIM_LOG="$(mktemp)"
"$SIMULATOR_BIN" --port "$SIM_PORT" --lifetime "$SIM_LIFETIME" >"$SIM_LOG" 2>&1 &
SIM_PID=$!
stop_simulator() {
  if kill -0 "$SIM_PID" 2>/dev/null; then
    kill -TERM "$SIM_PID" 2>/dev/null || true
    wait "$SIM_PID" 2>/dev/null || true
  fi
  rm -f "$SIM_LOG"
}
trap stop_simulator EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Wait until it listens, or until it gave up (the port is taken).
for _ in $(seq 1 100); do
  if grep -q "listening on 127.0.0.1:$SIM_PORT" "$SIM_LOG"; then
    break
  fi
  if ! kill -0 "$SIM_PID" 2>/dev/null; then
    echo "Port $SIM_PORT on 127.0.0.1 is taken: the simulated processor cannot start." >&2
    cat "$SIM_LOG" >&2
    exit 1
  fi
  sleep 0.1
done
if ! grep -q "listening on 127.0.0.1:$SIM_PORT" "$SIM_LOG"; then
  echo "The simulated processor did not start listening on 127.0.0.1:$SIM_PORT." >&2
  exit 1
fi
echo "No processor plugged in: the editor connects to the simulated one on 127.0.0.1:$SIM_PORT."

# Settings of the editor's own, pointing it at the simulator.
CONFIG="$BUILD/simulator-config"
mkdir -p "$CONFIG/Orvane"
SETTINGS="$CONFIG/Orvane/Orvane7734.ini"
if [ ! -f "$SETTINGS" ] || ! grep -q '^\[Network\]' "$SETTINGS"; then
  printf '\n[Network]\nDevice_IP=127.0.0.1\n' >>"$SETTINGS"
elif grep -q '^Device_IP=' "$SETTINGS"; then
  sed -i 's/^Device_IP=.*/Device_IP=127.0.0.1/' "$SETTINGS"
else
  sed -i 's/^\[Network\]$/[Network]\nDevice_IP=127.0.0.1/' "$SETTINGS"
fi

set +e
XDG_CONFIG_HOME="$CONFIG" "$EDITOR_BIN" "$@"
STATUS=$?
set -e
exit "$STATUS"
