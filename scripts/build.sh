#!/bin/sh
# Builds into build/<kind> (kind: release or sanitize). Usage: scripts/build.sh [release|sanitize]
set -eu
cd "$(dirname "$0")/.."
kind="${1:-release}"
case "$kind" in
  release)  flags="-DCMAKE_BUILD_TYPE=Release" ;;
  sanitize) flags="-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESK_SANITIZE=ON -DTESK_BUILD_BENCH=OFF" ;;
  *) echo "unknown build kind: $kind" >&2; exit 2 ;;
esac
cmake -S . -B "build/$kind" $flags >/dev/null
cmake --build "build/$kind" -j "$(nproc)"
