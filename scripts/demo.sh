#!/usr/bin/env bash
# Runs Gallorim's command line on the bundled sample photos.
set -euo pipefail
build=${1:-build}
cli="$build/cli/gallorim-cli"
out="$build/demo"
rm -rf "$out"
mkdir -p "$out"
cp -r samples/. "$out/photos/"
"$cli" info "$out"/photos/* || true
"$cli" thumb "$out"/photos/* || true
echo "Thumbnails written under $out/photos"
