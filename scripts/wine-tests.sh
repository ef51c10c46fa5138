#!/usr/bin/env bash
# Runs the Windows tests under one persistent wineserver; called inside xvfb-run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
# A server left from an interrupted run (perhaps with a hung program in it)
# would keep this run from starting its own; end it first.
wineserver -k >/dev/null 2>&1 && wineserver -w || true
qx_wine_prefix
wineserver -p 2>/dev/null || true  # one may already be running for this prefix
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
# Start Wine's own background processes now, detached from any pipe, so that
# they do not hold the test runner's output open.
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
mkdir -p build/artifacts
ctest --test-dir build/mingw --output-on-failure --timeout 300
