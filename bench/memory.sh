#!/usr/bin/env bash
# Peak memory of building a large gallery from scratch (every thumbnail made,
# pages written), against exiv2 printing the same files' camera data, and
# the memory each list entry costs beyond its texts (from the adding helper).
#   bench/memory.sh [build-dir] [files]
# The photos are hard links of the bundled camera JPEGs (1200 to 1600 pixels
# wide, with EXIF), so that 10,000 of them build in minutes, not hours.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=${1:-build}
count=${2:-10000}
cli="$(cd "$build" && pwd)/cli/gallorim-cli"
adder="$(cd "$build" && pwd)/bench/gallorim-bench-adding"
[ -x "$cli" ] && [ -x "$adder" ] || { echo "build gallorim-cli and gallorim-bench-adding first"; exit 1; }
require exiv2 python3
[ -x /usr/bin/time ] || { echo "/usr/bin/time missing: run GALLORIM_BENCH=1 scripts/install-deps.sh"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
link_sample_photos "$work/photos" "$count"

start=$(date +%s.%N)
/usr/bin/time -f %M -o "$work/cli.kb" "$cli" build -q "$work/photos" >/dev/null
end=$(date +%s.%N)
/usr/bin/time -f %M -o "$work/exiv2.kb" sh -c "exiv2 -q pr $work/photos/*.jpg >/dev/null 2>&1 || true"
thumbs=$(find "$work/photos" -path '*mini*' -type f | wc -l)
g=$(cat "$work/cli.kb")
e=$(cat "$work/exiv2.kb")
echo "$count photos built from scratch ($thumbs thumbnails made) in $(python3 -c "print('%.0f' % ($end - $start))") s"
echo "  gallorim-cli build peak RSS: $((g / 1024)) MB   (target under 400 MB)"
echo "  exiv2 pr peak RSS:           $((e / 1024)) MB"
echo "  ratio gallorim / exiv2: $(ratio "$g" "$e")"
"$adder" "$work/photos" | sed -n 's/^\(bytes per entry beyond its texts\)/  &/p'
echo "  (target: no more than 300 bytes per entry beyond its texts)"
