#!/usr/bin/env bash
# Installs what is missing, builds Tarnwick and starts it on its demo suite.
#   bash scripts/demo.sh [folder]   (the demo suite is made in folder when missing)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${TARNWICK_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja
cmake --build "$build" -j"$(nproc)" --target Tarnwick
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: run it under Xvfb, e.g. 'xvfb-run -a bash scripts/demo.sh' (see README)." >&2
  exit 1
fi
exec "$build/src/Tarnwick" --demo "$@"
