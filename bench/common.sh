# Helpers shared by the benchmark scripts (sourced, not run).

# A camera-like JPEG: smooth scene plus sensor noise, so that decoding costs
# what it costs on real photos.  make_jpeg WIDTH HEIGHT OUT
make_jpeg() {
  MAGICK_THREAD_LIMIT=1 convert -size "$1x$2" gradient:'#4a7bd0'-'#f4c27a' \
    -fill '#3d4f63' -draw "polygon 0,$(($2*2/3)) $(($1/4)),$(($2/3)) $(($1/2)),$(($2*3/5)) $(($1*3/4)),$(($2/4)) $1,$(($2*2/3)) $1,$2 0,$2" \
    -attenuate 0.6 +noise Gaussian -sampling-factor 2x2 -quality 92 "$3"
}

# Mean seconds of COMMAND over RUNS runs, PREPARE run before each (untimed).
#   mean_seconds RUNS PREPARE COMMAND
mean_seconds() {
  local json
  json=$(mktemp)
  hyperfine --style none --runs "$1" --prepare "$2" --export-json "$json" "$3" >/dev/null
  python3 -c 'import json,sys; print("%.3f" % json.load(open(sys.argv[1]))["results"][0]["mean"])' "$json"
  rm -f "$json"
}

ratio() { python3 -c 'import sys; print("%.2f" % (float(sys.argv[1]) / float(sys.argv[2])))' "$1" "$2"; }

require() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "$tool missing: run GALLORIM_BENCH=1 scripts/install-deps.sh"; exit 1; }
  done
}

# COUNT photos in DIR made as hard links of the bundled camera JPEGs: many
# files, little disk.  link_sample_photos DIR COUNT
link_sample_photos() {
  local samples=("$here"/../samples/coucher-soleil.jpg "$here"/../samples/lac-montagne.jpg
                 "$here"/../samples/phare-portrait.jpg "$here"/../samples/jardin-sans-exif.jpg)
  mkdir -p "$1"
  for i in $(seq 0 $(($2 - 1))); do
    local src=${samples[$((i % ${#samples[@]}))]}
    ln "$src" "$1/p$i.jpg" 2>/dev/null || cp "$src" "$1/p$i.jpg"
  done
}
