#!/usr/bin/env bash
# Thumbnails of a whole first gallery build against vipsthumbnail: gallorim-cli
# build on a folder of phone-sized camera JPEGs (fixed 128x96 box, quality 85,
# thumbnails made, page written) and vipsthumbnail making the same thumbnails
# with as many processes as Gallorim has jobs, the files shared out evenly.
#   bench/build-thumbnails.sh [build-dir] [files] [jobs] [runs]
#   bench/build-thumbnails.sh build 2000     the 2,000-photo first build
# The photos: at most 50 distinct 12-megapixel JPEGs (4032x3024, quality 92,
# 4:2:0, about 4.5 MB each; smooth scene plus sensor noise, each one shifted
# differently; EXIF camera make, model and date; every fourth one a portrait
# shot stored sideways with orientation 6), hard-linked to as many names as
# asked, so that 2,000 photos take the disk of 50.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=${1:-build}
count=${2:-16}
jobs=${3:-$(nproc)}
runs=${4:-3}
cli="$(cd "$build" && pwd)/cli/gallorim-cli"
[ -x "$cli" ] || { echo "build gallorim-cli first ($cli)"; exit 1; }
require vipsthumbnail hyperfine convert exiv2 python3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
make_phone_photos "$work" "$count" "$jobs"
mkdir -p "$work/vips"

gallorim="$cli build -q --mode 0 --box 128x96 --quality 85 --jobs $jobs -o $work/site/index.html $work/photos"
vips="ls $work/photos/*.jpg | VIPS_CONCURRENCY=1 xargs -P $jobs -n $(((count + jobs - 1) / jobs)) \
  vipsthumbnail --size 128x96 -o '$work/vips/%s.jpg[Q=85]'"
# Mean wall time and mean CPU time (user + system) of COMMAND over RUNS runs;
# the CPU time says more than the wall time on a busy shared machine.
mean_wall_cpu() { # RUNS PREPARE COMMAND -> "wall cpu"
  local json
  json=$(mktemp)
  hyperfine --style none --runs "$1" --prepare "$2" --export-json "$json" "$3" >/dev/null
  python3 -c 'import json,sys; r=json.load(open(sys.argv[1]))["results"][0]; print("%.3f %.3f" % (r["mean"], r["user"] + r["system"]))' "$json"
  rm -f "$json"
}
read -r g gc <<<"$(mean_wall_cpu "$runs" "rm -rf $work/photos/mini $work/site" "$gallorim")"
read -r v vc <<<"$(mean_wall_cpu "$runs" "rm -rf $work/vips/*" "$vips")"
echo "$count JPEGs of 12 MP ($distinct distinct), $jobs jobs, mean of $runs runs"
echo "  gallorim-cli build (thumbnails and page): $g s (CPU $gc s)"
echo "  vipsthumbnail:                            $v s (CPU $vc s)"
echo "  ratio gallorim / vipsthumbnail: $(ratio "$g" "$v") (CPU time $(ratio "$gc" "$vc"))   (target 0.8 or less)"
