#!/bin/sh
# Builds the libFuzzer targets with clang and runs each for a while.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (default 60 seconds, every fuzz/fuzz_*.cpp)
set -eu
cd "$(dirname "$0")/.."
seconds="${1:-60}"
[ $# -gt 0 ] && shift
CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTESK_FUZZ=ON -DTESK_BUILD_TESTS=OFF -DTESK_BUILD_BENCH=OFF >/dev/null
targets="$*"
[ -z "$targets" ] && targets=$(ls fuzz/fuzz_*.cpp 2>/dev/null | xargs -n1 basename | sed 's/\.cpp$//')
[ -z "$targets" ] && { echo "no fuzz targets"; exit 0; }
cmake --build build/fuzz -j "$(nproc)" --target $targets
for t in $targets; do
  corpus="build/fuzz/corpus/$t"
  mkdir -p "$corpus"
  [ -d "fuzz/corpus/$t" ] && cp -n fuzz/corpus/$t/* "$corpus/" 2>/dev/null || true
  echo "== $t ($seconds s)"
  "build/fuzz/fuzz/$t" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 "$corpus"
done
