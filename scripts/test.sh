#!/bin/sh
# Installs what is missing, then builds and passes the whole test suite twice:
# a release build and an address/undefined-sanitizer build.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh
for kind in release sanitize; do
  scripts/build.sh "$kind"
  (cd "build/$kind" && ctest --output-on-failure -j "$(nproc)")
done
