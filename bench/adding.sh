#!/usr/bin/env bash
# Adding 5,000 photos to a gallery document against exiv2 printing the same
# files' camera data in one process, and the memory each entry costs.
#   bench/adding.sh [build-dir] [files]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=${1:-build}
count=${2:-5000}
adder="$(cd "$build" && pwd)/bench/gallorim-bench-adding"
[ -x "$adder" ] || { echo "build gallorim-bench-adding first (cmake -DGALLORIM_BUILD_BENCH=ON)"; exit 1; }
require exiv2 hyperfine python3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
link_sample_photos "$work/photos" "$count"

g=$(mean_seconds 3 true "$adder $work/photos")
e=$(mean_seconds 3 true "exiv2 -q pr $work/photos/*.jpg >/dev/null 2>&1 || true")
echo "$count photos"
echo "  gallorim (add to a document): $g s"
echo "  exiv2 pr (one process):       $e s"
echo "  ratio gallorim / exiv2: $(ratio "$g" "$e")   (target 0.8 or less)"
"$adder" "$work/photos" | sed -n 's/^\(heap bytes per entry\|text bytes per entry\|bytes per entry beyond its texts\|of which the record.s other fields\)/  &/p'
echo "  (target: no more than 300 bytes per entry beyond its texts)"
