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

# Median seconds of each COMMAND over RUNS rounds, the commands taking turns
# within a round so that they meet the same load on a shared machine; one
# median per line, in the commands' order.
#   interleaved_medians RUNS COMMAND...
interleaved_medians() {
  python3 - "$@" <<'PY'
import statistics, subprocess, sys, time
runs, commands = int(sys.argv[1]), sys.argv[2:]
times = [[] for _ in commands]
for _ in range(runs):
    for i, command in enumerate(commands):
        start = time.perf_counter()
        subprocess.run(command, shell=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times[i].append(time.perf_counter() - start)
for t in times:
    print("%.3f" % statistics.median(t))
PY
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

# COUNT phone-sized 12 MP JPEGs in WORK/photos, hard links of up to 50
# distinct ones (WORK/distinct) with camera EXIF; every fourth is stored
# sideways. Made with JOBS processes.
make_phone_photos() { # WORK COUNT JOBS
  local work=$1 count=$2 jobs=$3
  distinct=$((count < 50 ? count : 50)) # read by the callers
  echo "making $distinct distinct JPEGs of 12 MP in $work ..."
  mkdir -p "$work/distinct" "$work/photos"
  make_jpeg 4032 3024 "$work/base.jpg"
  seq 0 $((distinct - 1)) | MAGICK_THREAD_LIMIT=1 xargs -P "$jobs" -I{} sh -c \
    'convert "$1/base.jpg" -roll +$(($2 * 83))+$(($2 * 61)) -sampling-factor 2x2 -quality 92 "$1/distinct/d$2.jpg"' \
    _ "$work" {}
  for i in $(seq 0 $((distinct - 1))); do
    local f="$work/distinct/d$i.jpg"
    exiv2 -q -M"set Exif.Image.Make Phonecam" -M"set Exif.Image.Model PC-12" \
      -M"set Exif.Photo.DateTimeOriginal 2024:06:$((10 + i % 18)) 12:$((10 + i % 50)):00" "$f"
    if [ $((i % 4)) -eq 3 ]; then exiv2 -q -M"set Exif.Image.Orientation 6" "$f"; fi
  done
  for i in $(seq 0 $((count - 1))); do
    ln "$work/distinct/d$((i % distinct)).jpg" "$work/photos/p$i.jpg"
  done
}
