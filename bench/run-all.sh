#!/usr/bin/env bash
# Every benchmark, one after the other: bench/run-all.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
cmake -S "$here/.." -B "$build" -DGALLORIM_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target gallorim-cli gallorim-bench-adding gallorim-bench-galleryview gallorim-bench-preview
for script in thumbnails.sh build-thumbnails.sh modern.sh adding.sh rebuild.sh memory.sh endtoend.sh galleryview.sh preview.sh heif.sh avif-thumbnails.sh; do
  [ -f "$here/$script" ] || continue
  echo "== $script"
  bash "$here/$script" "$build"
done
