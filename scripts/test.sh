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

# Runs one fuzz target for a bounded time on its corpus and seeds; prints its
# last line, or its whole log and fails when it found something.
fuzz() {
  local name=$1 seconds=$2 seeds=$3
  cmake --build --preset fuzz -j "$jobs" --target "${name}_fuzz"
  mkdir -p "build/fuzz/corpus/$name"
  if ! "build/fuzz/${name}_fuzz" -max_total_time="$seconds" -artifact_prefix=build/fuzz/ \
       "build/fuzz/corpus/$name" "$seeds" >"build/fuzz/${name}_fuzz.log" 2>&1; then
    cat "build/fuzz/${name}_fuzz.log"
    exit 1
  fi
  tail -n 1 "build/fuzz/${name}_fuzz.log"
}

cmake --preset fuzz >/dev/null
echo "== set-file reader fuzzing (30 s)"
fuzz setfile 30 tests/fuzz/setfile_seeds
echo "== command-line tokenizer fuzzing (20 s)"
fuzz commandparser 20 tests/fuzz/commandparser_seeds

echo "== Windows cross build"
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$jobs"

echo "== release packages"
cmake --build --preset mingw -j "$jobs" --target package
ls build/mingw/dist

echo "== tests under Wine"
xvfb-run -a -s "-screen 0 1280x1024x24" bash scripts/wine-tests.sh
