#!/usr/bin/env bash
# The modern page design against its peers.
# First build: gallorim-cli build --design modern on a folder of 12-megapixel
# phone JPEGs (each photo decoded once: its thumbnail, two grid thumbnails and
# two screen-size copies, then the pages) against vipsthumbnail making the same
# five files, each from the original, with as many processes as Gallorim has jobs.
# Rebuild: the same command again on a 2,000-photo folder whose files all
# exist, against exiv2 printing the same files' camera data in one process
# (medians of 11 rounds in which the two take turns).
#   bench/modern.sh [build-dir] [files] [jobs] [runs] [rebuild-files]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=${1:-build}
count=${2:-16}
jobs=${3:-$(nproc)}
runs=${4:-3}
rebuild_count=${5:-2000}
cli="$(cd "$build" && pwd)/cli/gallorim-cli"
[ -x "$cli" ] || { echo "build gallorim-cli first ($cli)"; exit 1; }
require vipsthumbnail hyperfine convert exiv2 python3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
make_phone_photos "$work" "$count" "$jobs"
mkdir -p "$work/vips"

opts="-q --design modern --mode 0 --box 128x96 --quality 85 --jobs $jobs"
gallorim="$cli build $opts -o $work/site/index.html $work/photos"
per=$(((count + jobs - 1) / jobs))
vips_one() { # SIZE NAME
  echo "ls $work/photos/*.jpg | VIPS_CONCURRENCY=1 xargs -P $jobs -n $per vipsthumbnail --size $1 -o '$work/vips/%s.$2.jpg[Q=85]'"
}
vips="$(vips_one 128x96 t) && $(vips_one x240 g1) && $(vips_one x480 g2) && $(vips_one 1024 s1024) && $(vips_one 2048 s2048)"
mean_wall_cpu() { # RUNS PREPARE COMMAND -> "wall cpu"
  local json
  json=$(mktemp)
  hyperfine --style none --runs "$1" --prepare "$2" --export-json "$json" "$3" >/dev/null
  python3 -c 'import json,sys; r=json.load(open(sys.argv[1]))["results"][0]; print("%.3f %.3f" % (r["mean"], r["user"] + r["system"]))' "$json"
  rm -f "$json"
}
read -r g gc <<<"$(mean_wall_cpu "$runs" "rm -rf $work/photos/mini $work/site" "$gallorim")"
made=$(find "$work/photos/mini" -type f | wc -l)
[ "$made" -eq $((count * 5)) ] || { echo "the modern build made $made files, not $((count * 5))"; exit 1; }
read -r v vc <<<"$(mean_wall_cpu "$runs" "rm -rf $work/vips/*" "$vips")"
echo "$count JPEGs of 12 MP ($distinct distinct), $jobs jobs, mean of $runs runs, 5 files per photo"
echo "  gallorim-cli build --design modern: $g s (CPU $gc s)"
echo "  vipsthumbnail, each size from the original: $v s (CPU $vc s)"
echo "  ratio gallorim / vipsthumbnail: $(ratio "$g" "$v") (CPU time $(ratio "$gc" "$vc"))   (target 0.8 or less)"

rm -rf "$work/photos" "$work/site" "$work/vips"
link_sample_photos "$work/many" "$rebuild_count"
echo "first modern build of $rebuild_count photos (untimed) ..."
"$cli" build -q --design modern "$work/many" >/dev/null
pages=$(find "$work/many/index-photos" -name '*.html' | wc -l)
[ "$pages" -eq "$rebuild_count" ] || { echo "the first build wrote $pages photo pages, not $rebuild_count"; exit 1; }
stamp=$(find "$work/many/mini" -type f -printf '%T@\n' | sort -n | tail -1)
{ read -r r; read -r e; } < <(interleaved_medians 11 "$cli build -q --design modern $work/many" "exiv2 -q pr $work/many/*.jpg")
after=$(find "$work/many/mini" -type f -printf '%T@\n' | sort -n | tail -1)
[ "$stamp" = "$after" ] || echo "  WARNING: the rebuild rewrote thumbnails or copies"
echo "$rebuild_count photos, every file present"
echo "  gallorim-cli build --design modern again: $r s"
echo "  exiv2 pr (one process):                   $e s"
echo "  ratio gallorim / exiv2: $(ratio "$r" "$e")   (target 1.0 or less)"
