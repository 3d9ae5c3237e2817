#!/usr/bin/env bash
# Installs the build into a fresh prefix, then configures, builds and runs a product outside the
# repository against it; the README's example product is built there too.
set -euo pipefail
build_dir=$1
source_dir=$2
readme=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/tavrix-install.XXXXXX")
trap 'rm -rf "$work"' EXIT

cp -r "$source_dir" "$work/consumer"
# The first C++ block after the heading "Using the library in a product".
awk '/^## Using the library in a product/ { section = 1 }
     section && /^```cpp$/ { inside = 1; next }
     inside && /^```$/ { exit }
     inside { print }' "$readme" > "$work/consumer/readme_example.cpp"
# The product's side of the focus hand-over.
awk '/^## Helper programs and the focus hand-over/ { section = 1 }
     section && /^```cpp$/ { inside = 1; next }
     inside && /^```$/ { exit }
     inside { print }' "$readme" > "$work/consumer/readme_helperlink.cpp"
for example in readme_example readme_helperlink; do
  [ -s "$work/consumer/$example.cpp" ] || { echo "$example not found in $readme"; exit 1; }
done

cmake --install "$build_dir" --prefix "$work/prefix" > "$work/install.log"
cmake -S "$work/consumer" -B "$work/build" -DCMAKE_PREFIX_PATH="$work/prefix" -DCMAKE_BUILD_TYPE=Release > "$work/configure.log" \
  || { cat "$work/configure.log"; exit 1; }
cmake --build "$work/build" -j2 > "$work/build.log" || { cat "$work/build.log"; exit 1; }
QT_QPA_PLATFORM=offscreen "$work/build/consumer" | grep -qx "consumer ok"
echo "installed package builds and runs a product, and builds the README's examples"
