#!/usr/bin/env bash
# Installs the Debian packages the program, its tests and its tools need.
# Runs `apt-get update` once, and only when something is missing.
set -euo pipefail
PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev qt6-svg-dev
  libhidapi-dev libudev-dev libcjson-dev libxlsxwriter-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb iputils-ping fonts-liberation2 fonts-wqy-microhei poppler-utils unzip
  ccache lld
)
# The fuzz build (ORVANE_FUZZ=ON, scripts/fuzz.sh) needs clang with its
# libFuzzer run time; the ordinary build and CI do not.
if [ "${ORVANE_FUZZ:-OFF}" = "ON" ]; then
  PACKAGES+=(clang libclang-rt-14-dev)
fi
missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y "${PACKAGES[@]}"
fi
