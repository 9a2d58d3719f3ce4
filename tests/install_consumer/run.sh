#!/bin/sh
# Installs the build tree into a scratch prefix and builds and runs a program
# that finds the library only through find_package. Usage: run.sh BUILD_DIR
set -eu
build="$1"
here="$(cd "$(dirname "$0")" && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
cmake -S "$here" -B "$scratch/consumer" -DCMAKE_PREFIX_PATH="$scratch/prefix" >/dev/null
cmake --build "$scratch/consumer" >/dev/null
LD_LIBRARY_PATH="$scratch/prefix/lib:$scratch/prefix/lib/x86_64-linux-gnu" "$scratch/consumer/consumer"
pkg="$(find "$scratch/prefix" -name teskutility.pc)"
PKG_CONFIG_PATH="$(dirname "$pkg")" pkg-config --cflags --libs teskutility >/dev/null
