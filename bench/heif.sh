#!/usr/bin/env bash
# HEIC thumbnails against libheif's own heif-thumbnailer: same 12-megapixel
# files made from a camera-like JPEG (about 2 MB each, as phones write them),
# same 128-pixel box, same number of processes at once. Phone-like files carry
# a 320x240 preview, as phones store one; the others make both tools decode
# the whole photo.
#   bench/heif.sh [build-dir] [files] [jobs] [runs]
# Needs (GALLORIM_BENCH=1 scripts/install-deps.sh): heif-thumbnailer,
# libheif-examples (heif-enc), imagemagick, hyperfine.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=${1:-build}
count=${2:-8}
jobs=${3:-$(nproc)}
runs=${4:-5}
cli="$(cd "$build" && pwd)/cli/gallorim-cli"
[ -x "$cli" ] || { echo "build gallorim-cli first ($cli)"; exit 1; }
require heif-enc heif-thumbnailer convert hyperfine

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "making test HEIC files in $work ..."
make_jpeg 4032 3024 "$work/base.jpg"
heif-enc -q 40 -t 320 -o "$work/phone.heic" "$work/base.jpg" >/dev/null
heif-enc -q 40 -o "$work/plain.heic" "$work/base.jpg" >/dev/null
# heif-enc 1.15 writes one coded image; phones' 512x512 grids it cannot make.
for kind in phone plain; do
  mkdir -p "$work/$kind"
  for i in $(seq 1 "$count"); do cp "$work/$kind.heic" "$work/$kind/IMG_$i.HEIC"; done
done

printf '%d HEIC files of 12 MP (%s each), box 128x96, %d at once, mean of %d runs\n' \
  "$count" "$(du -h "$work/phone.heic" | cut -f1)" "$jobs" "$runs"
for kind in phone plain; do
  dir="$work/$kind"
  # heif-thumbnailer takes one file per process: as many processes at once as Gallorim has jobs.
  peer="ls $dir/*.HEIC | xargs -P $jobs -I{} heif-thumbnailer -s 128 {} {}.png"
  ours="$cli thumb --mode 0 --box 128x96 --quality 85 --jobs $jobs $dir/*.HEIC"
  clean="rm -rf $dir/mini $dir/*.png"
  p=$(mean_seconds "$runs" "$clean" "$peer" 2>/dev/null)
  g=$(mean_seconds "$runs" "$clean" "$ours" 2>/dev/null)
  label=$([ "$kind" = phone ] && echo "with a stored preview" || echo "without a preview")
  printf '  %-22s gallorim-cli thumb %.3f s, heif-thumbnailer %.3f s, ratio %s\n' "$label" "$g" "$p" "$(ratio "$g" "$p")"
done
