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

echo "== set-file reader fuzzing (30 s)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs" --target setfile_fuzz
mkdir -p build/fuzz/corpus/setfile
if ! build/fuzz/setfile_fuzz -max_total_time=30 -artifact_prefix=build/fuzz/ \
     build/fuzz/corpus/setfile tests/fuzz/setfile_seeds >build/fuzz/setfile_fuzz.log 2>&1; then
  cat build/fuzz/setfile_fuzz.log
  exit 1
fi
tail -n 1 build/fuzz/setfile_fuzz.log

echo "== command-line tokenizer fuzzing (20 s)"
cmake --build --preset fuzz -j "$jobs" --target commandparser_fuzz
mkdir -p build/fuzz/corpus/commandparser
if ! build/fuzz/commandparser_fuzz -max_total_time=20 -artifact_prefix=build/fuzz/ \
     build/fuzz/corpus/commandparser tests/fuzz/commandparser_seeds >build/fuzz/commandparser_fuzz.log 2>&1; then
  cat build/fuzz/commandparser_fuzz.log
  exit 1
fi
tail -n 1 build/fuzz/commandparser_fuzz.log

echo "== Windows cross build"
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$jobs"

echo "== tests under Wine"
xvfb-run -a -s "-screen 0 1280x1024x24" bash scripts/wine-tests.sh
