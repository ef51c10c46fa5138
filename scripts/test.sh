#!/usr/bin/env bash
# Builds everything and runs every test: the portable core natively (with
# sanitizers), then the Windows build under Wine inside a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)

echo "== native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --test-dir build/native --output-on-failure

echo "== Windows cross build"
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$jobs"

echo "== tests under Wine"
xvfb-run -a -s "-screen 0 1280x1024x24" bash scripts/wine-tests.sh
