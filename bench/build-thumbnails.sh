#!/usr/bin/env bash
# Thumbnails of a whole gallery build against vipsthumbnail: gallorim-cli build
# on a folder of large camera JPEGs (fixed 128x96 box, quality 85) and
# vipsthumbnail on the same files with as many processes as Gallorim has jobs.
#   bench/build-thumbnails.sh [build-dir] [files] [jobs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=${1:-build}
count=${2:-16}
jobs=${3:-$(nproc)}
cli="$(cd "$build" && pwd)/cli/gallorim-cli"
[ -x "$cli" ] || { echo "build gallorim-cli first ($cli)"; exit 1; }
require vipsthumbnail hyperfine convert python3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "making $count JPEGs of 12 MP in $work ..."
make_jpeg 4000 3000 "$work/base.jpg"
mkdir -p "$work/photos" "$work/vips"
for i in $(seq 1 "$count"); do cp "$work/base.jpg" "$work/photos/photo$i.jpg"; done

gallorim="$cli build -q --mode 0 --box 128x96 --quality 85 --jobs $jobs -o $work/site/index.html $work/photos"
vips="ls $work/photos/*.jpg | VIPS_CONCURRENCY=1 xargs -P $jobs -n 1 vipsthumbnail --size 128x96 -o '$work/vips/%s.jpg[Q=85]'"
g=$(mean_seconds 3 "rm -rf $work/photos/mini $work/site" "$gallorim")
v=$(mean_seconds 3 "rm -rf $work/vips/*" "$vips")
echo "$count JPEGs of 12 MP, $jobs jobs"
echo "  gallorim-cli build (thumbnails and page): $g s"
echo "  vipsthumbnail:                            $v s"
echo "  ratio gallorim / vipsthumbnail: $(ratio "$g" "$v")   (target 1.0 or less)"
