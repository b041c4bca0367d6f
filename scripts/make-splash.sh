#!/usr/bin/env bash
# Renders the start-up picture shell/resources/splash.jpg from its drawing
# shell/resources/splash.svg. Needs: apt-get install imagemagick librsvg2-bin
# (ImageMagick hands SVG to rsvg-convert) and fonts-dejavu-core for the text.
# The JPEG is committed; run this only after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
src=shell/resources/splash.svg
out=shell/resources/splash.jpg
# The splash window is exactly the picture's size, so render it 1:1.
convert -density 96 "$src" -background '#1d2b3c' -flatten \
  -resize '480x300!' -strip -quality 90 -sampling-factor 4:2:0 "$out"
identify "$out"
