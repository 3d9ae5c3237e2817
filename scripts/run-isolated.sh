#!/usr/bin/env bash
# Runs a command with HOME, the XDG folders and TMPDIR inside a fresh temporary folder.
set -eu
root=$(mktemp -d "${TMPDIR:-/tmp}/tavrix-test.XXXXXX")
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/home" "$root/config" "$root/data" "$root/runtime" "$root/tmp" "$root/cache"
chmod 700 "$root/runtime"
export HOME="$root/home" XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/data" \
       XDG_RUNTIME_DIR="$root/runtime" XDG_CACHE_HOME="$root/cache" TMPDIR="$root/tmp"
"$@"
