#!/usr/bin/env bash
# Thumbnail speed against vipsthumbnail on large camera-like JPEGs, and the
# peak memory of one thumbnail of a 50-megapixel JPEG.
#   bench/thumbnails.sh [build-dir] [files] [jobs] [box]
#   bench/thumbnails.sh build 24 2 400x300   the program's default thumbnail size
# Needs (GALLORIM_BENCH=1 scripts/install-deps.sh): libvips-tools, time, imagemagick.
set -euo pipefail
build=${1:-build}
count=${2:-24}
jobs=${3:-$(nproc)}
box=${4:-128x96}
cli="$(cd "$build" && pwd)/cli/gallorim-cli"
[ -x "$cli" ] || { echo "build gallorim-cli first ($cli)"; exit 1; }
command -v vipsthumbnail >/dev/null || { echo "vipsthumbnail missing (libvips-tools)"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export MAGICK_THREAD_LIMIT=1

# Camera-like content: smooth scene plus sensor noise, so the entropy decoding
# costs what it costs on real photos. One file per size, copied.
make_jpeg() { # width height out
  convert -size "$1x$2" gradient:'#4a7bd0'-'#f4c27a' \
    -fill '#3d4f63' -draw "polygon 0,$(($2*2/3)) $(($1/4)),$(($2/3)) $(($1/2)),$(($2*3/5)) $(($1*3/4)),$(($2/4)) $1,$(($2*2/3)) $1,$2 0,$2" \
    -attenuate 0.6 +noise Gaussian -sampling-factor 2x2 -quality 92 "$3"
}
echo "making test JPEGs in $work ..."
make_jpeg 4000 3000 "$work/base12.jpg"
make_jpeg 8660 5773 "$work/big50.jpg"
mkdir -p "$work/photos" "$work/vips"
for i in $(seq 1 "$count"); do cp "$work/base12.jpg" "$work/photos/photo$i.jpg"; done

# Best wall time and best CPU time (user + system of every process) of three
# runs; the CPU time says more than the wall time on a busy shared machine.
best_of_three() { # command... -> "wall cpu"
  local best_wall="" best_cpu="" t
  for _ in 1 2 3; do
    t=$( { TIMEFORMAT='%R %U %S'; time "$@" >/dev/null 2>&1; } 2>&1 | awk '{ print $1, $2 + $3 }')
    best_wall=$(awk -v a="$best_wall" -v b="${t% *}" 'BEGIN { print (a == "" || b < a) ? b : a }')
    best_cpu=$(awk -v a="$best_cpu" -v b="${t#* }" 'BEGIN { print (a == "" || b < a) ? b : a }')
  done
  echo "$best_wall $best_cpu"
}
run_gallorim() { "$cli" thumb --mode 0 --box "$box" --quality 85 --jobs "$jobs" "$work"/photos/*.jpg; }
# Same number of processes as Gallorim's jobs, one thread each, the files
# shared out evenly so start-up is paid once per process.
run_vips() {
  ls "$work"/photos/*.jpg | VIPS_CONCURRENCY=1 xargs -P "$jobs" -n $(((count + jobs - 1) / jobs)) \
    vipsthumbnail --size "$box" -o "$work/vips/%s.jpg[Q=85]"
}

read -r g gc <<<"$(best_of_three run_gallorim)"
read -r v vc <<<"$(best_of_three run_vips)"
printf '%d JPEGs of 12 MP (%s each), %s box, %d jobs, best of 3\n' "$count" "$(du -h "$work/base12.jpg" | cut -f1)" "$box" "$jobs"
printf '  gallorim-cli thumb: %.2f s (CPU %.2f s)\n' "$g" "$gc"
printf '  vipsthumbnail:      %.2f s (CPU %.2f s)\n' "$v" "$vc"
printf '  ratio gallorim / vipsthumbnail: %.2f (CPU time %.2f)   (target 0.7 or less)\n' \
  "$(awk -v g="$g" -v v="$v" 'BEGIN { print g / v }')" "$(awk -v g="$gc" -v v="$vc" 'BEGIN { print g / v }')"

peak=$(/usr/bin/time -v "$cli" thumb --mode 0 --box 128x96 --quality 85 --jobs 1 "$work/big50.jpg" 2>&1 >/dev/null \
  | awk -F: '/Maximum resident set size/ {gsub(/ /, "", $2); print $2}')
printf '50 MP JPEG, one job: peak memory %d MB\n' "$((peak / 1024))"
