#!/usr/bin/env bash
# Installs what is missing, builds Tarnwick and starts it on its demo suite.
#   bash scripts/demo.sh [folder]   (the demo suite is made in folder when missing)
# Without a display it runs under Xvfb and saves a screenshot of the window to
# $TARNWICK_SCREENSHOT (default: demo.png).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${TARNWICK_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja
cmake --build "$build" -j"$(nproc)" --target Tarnwick
program="$build/src/Tarnwick"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$program" --demo "$@"
fi
shot=$(realpath -m "${TARNWICK_SCREENSHOT:-demo.png}")
echo "No display: running the demo under Xvfb for a screenshot ($shot)."
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$0" --demo "${@:2}" & pid=$!
  sleep 10
  import -window root "$1"
  kill "$pid"' "$program" "$shot" "$@"
echo "Screenshot saved: $shot"
