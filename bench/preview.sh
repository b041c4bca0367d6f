#!/usr/bin/env bash
# The preview window showing a 12 MP and a 50 MP camera-like JPEG: time from
# the request to the first paint and peak memory, against vipsthumbnail
# making a picture of the window's size from the same file.
#   bench/preview.sh [build-dir] [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=${1:-build}
runs=${2:-5}
viewer="$(cd "$build" && pwd)/bench/gallorim-bench-preview"
[ -x "$viewer" ] || { echo "build gallorim-bench-preview first (cmake -DGALLORIM_BUILD_BENCH=ON)"; exit 1; }
require vipsthumbnail convert hyperfine python3
[ -x /usr/bin/time ] || { echo "/usr/bin/time missing: run GALLORIM_BENCH=1 scripts/install-deps.sh"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
width=800
height=600
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

mean_of() { python3 -c 'import sys; v=[float(x) for x in sys.argv[1:]]; print("%.3f" % (sum(v)/len(v)))' "$@"; }

for size in 4000x3000 8660x5773; do
  photo="$work/photo-$size.jpg"
  make_jpeg "${size%x*}" "${size#*x}" "$photo"
  times=()
  peak=0
  for _ in $(seq "$runs"); do
    out=$("$viewer" "$photo" "$width" "$height")
    times+=("$(sed -n 's/^ms to first paint //p' <<<"$out")")
    peak=$(sed -n 's/^peak MB //p' <<<"$out")
    base=$(sed -n 's/^baseline MB //p' <<<"$out")
  done
  g=$(python3 -c 'import sys; print("%.3f" % (float(sys.argv[1]) / 1000))' "$(mean_of "${times[@]}")")
  v=$(mean_seconds "$runs" true "vipsthumbnail -s ${width}x${height} -o $work/thumb.jpg $photo")
  vpeak=$(/usr/bin/time -f %M vipsthumbnail -s "${width}x${height}" -o "$work/thumb.jpg" "$photo" 2>&1 >/dev/null | tail -1)
  echo "$size JPEG ($(du -h "$photo" | cut -f1)) in a ${width}x${height} preview"
  echo "  gallorim preview (request to first paint): $g s, peak $peak MB (window alone $base MB)"
  echo "  vipsthumbnail (whole process):             $v s, peak $(python3 -c 'import sys; print("%.1f" % (int(sys.argv[1]) / 1024))' "$vpeak") MB"
  echo "  ratio gallorim / vipsthumbnail: $(ratio "$g" "$v")"
done
