#!/usr/bin/env bash
# Installs the build into a fresh prefix, then configures, builds and runs a product outside the
# repository against it.
set -euo pipefail
build_dir=$1
source_dir=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/tavrix-install.XXXXXX")
trap 'rm -rf "$work"' EXIT

cmake --install "$build_dir" --prefix "$work/prefix" > "$work/install.log"
cmake -S "$source_dir" -B "$work/build" -DCMAKE_PREFIX_PATH="$work/prefix" -DCMAKE_BUILD_TYPE=Release > "$work/configure.log" \
  || { cat "$work/configure.log"; exit 1; }
cmake --build "$work/build" -j2 > "$work/build.log" || { cat "$work/build.log"; exit 1; }
QT_QPA_PLATFORM=offscreen "$work/build/consumer" | grep -qx "consumer ok"
echo "installed package builds and runs a product"
