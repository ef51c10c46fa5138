#!/usr/bin/env bash
# Builds quellix.exe and starts it under Wine; arguments go to Quellix.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$(nproc)" --target quellix quellixc qx_help
source scripts/wine-env.sh
qx_wine_prefix
exec wine build/mingw/quellix.exe "$@"
