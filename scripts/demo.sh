#!/usr/bin/env bash
# Runs Gallorim's command line on the bundled sample photos: what it reads from
# each file, then the whole gallery with its slideshow and its project file.
set -euo pipefail
build=${1:-build}
cli="$build/cli/gallorim-cli"
out="$build/demo"
rm -rf "$out"
mkdir -p "$out"
cp -r samples/. "$out/photos/"
"$cli" info "$out"/photos/* || true
status=0
"$cli" build "$out/photos" -o "$out/index.html" --slideshow "$out/diaporama.html" \
  --save "$out/galerie.glr" --title "Démonstration Gallorim" >/dev/null || status=$?
# 1 means built with warnings; anything else is a failure.
[ "$status" -le 1 ] || exit "$status"
echo "Gallery: $(cd "$out" && pwd)/index.html"
gui="$build/shell/gallorim"
if [ -x "$gui" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; } && [ -z "${CI:-}" ]; then
  echo "Opening the gallery in Gallorim..."
  nohup "$gui" "$out/galerie.glr" >/dev/null 2>&1 &
else
  echo "To open it in the program: $gui $out/galerie.glr"
fi
