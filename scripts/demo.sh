#!/bin/sh
# Installs what is missing, builds, and runs the main job: the quote-board demo.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh release
build/release/tools/teskutil demo
