#!/usr/bin/env bash
# A gallery window opening a 10,000-photo project: time until every row is
# shown against exiv2 printing the same files' camera data in one process,
# the longest GUI-thread stall, and the list's memory per row.
#   bench/galleryview.sh [build-dir] [files]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=${1:-build}
count=${2:-10000}
viewer="$(cd "$build" && pwd)/bench/gallorim-bench-galleryview"
[ -x "$viewer" ] || { echo "build gallorim-bench-galleryview first (cmake -DGALLORIM_BUILD_BENCH=ON)"; exit 1; }
require exiv2 hyperfine python3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
link_sample_photos "$work/photos" "$count"

out=$("$viewer" "$work/photos")
g=$(sed -n 's/^seconds until every row is shown //p' <<<"$out")
e=$(mean_seconds 3 true "exiv2 -q pr $work/photos/*.jpg >/dev/null 2>&1 || true")
echo "$count photos in a project"
echo "  gallorim (list view, every row shown): $g s"
echo "  gallorim (document alone):             $(sed -n 's/^seconds for the document alone //p' <<<"$out") s"
echo "  exiv2 pr (one process):                $e s"
echo "  ratio gallorim view / exiv2: $(ratio "$g" "$e")"
echo "  longest GUI-thread stall: $(sed -n 's/^longest GUI stall ms //p' <<<"$out") ms"
echo "  list memory per row beyond the document's: $(sed -n 's/^view bytes per row //p' <<<"$out") bytes (target under 500)"
