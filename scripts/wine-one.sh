#!/usr/bin/env bash
# usage: one.sh <exe> [args]: runs one Windows test exe under the prefix in Xvfb
set -euo pipefail
cd "$(git rev-parse --show-toplevel)"
source scripts/wine-env.sh
qx_wine_prefix
wineserver -p 2>/dev/null || true
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
scripts/wine-run.sh "$@"
