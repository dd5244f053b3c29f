#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${TARNWICK_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DTARNWICK_WERROR="${TARNWICK_WERROR:-OFF}"
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 300
