#!/usr/bin/env bash
# Should thumbnails of AVIF photos be AVIF (which browsers show) or JPEG?
# Times writing one 128x96 thumbnail with the encoders Gallorim would use:
# libheif's AV1 encoder (through heif-enc) against libjpeg-turbo (cjpeg),
# same picture, same quality, one process per thumbnail for both.
#   bench/avif-thumbnails.sh [build-dir] [thumbnails] [runs]
# (the build folder is not used: no Gallorim code writes AVIF; it is taken
# for the same calling form as the other scripts)
# Needs (GALLORIM_BENCH=1 scripts/install-deps.sh): libheif-examples,
# libjpeg-turbo-progs, imagemagick, hyperfine.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
count=${2:-20}
runs=${3:-5}
require heif-enc cjpeg convert hyperfine

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
make_jpeg 4032 3024 "$work/photo.jpg"
MAGICK_THREAD_LIMIT=1 convert "$work/photo.jpg" -resize 128x96 "$work/thumb.png"
convert "$work/thumb.png" "$work/thumb.ppm"
loop() { echo "for i in \$(seq 1 $count); do $1; done"; }
j=$(mean_seconds "$runs" "true" "$(loop "cjpeg -quality 85 -outfile $work/t.jpg $work/thumb.ppm")" 2>/dev/null)
a=$(mean_seconds "$runs" "true" "$(loop "heif-enc -A -q 85 -o $work/t.avif $work/thumb.png >/dev/null")" 2>/dev/null)
printf '%d thumbnails of 128x96, mean of %d runs\n' "$count" "$runs"
printf '  JPEG (cjpeg):    %.1f ms each, %s bytes\n' "$(python3 -c "print($j*1000/$count)")" "$(stat -c %s "$work/t.jpg")"
printf '  AVIF (heif-enc): %.1f ms each, %s bytes\n' "$(python3 -c "print($a*1000/$count)")" "$(stat -c %s "$work/t.avif")"
printf '  ratio AVIF / JPEG: %s\n' "$(ratio "$a" "$j")"
