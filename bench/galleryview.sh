#!/usr/bin/env bash
# A gallery window opening a 10,000-photo project: time until every row is
# shown against exiv2 printing the same files' camera data in one process,
# the longest GUI-thread stall, and the list's memory per row; then every
# row deleted and the deletion undone: times and the undo step's memory.
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
d=$(sed -n 's/^seconds to delete every row //p' <<<"$out")
u=$(sed -n 's/^seconds to undo the deletion //p' <<<"$out")
echo "every row deleted, then the deletion undone ($(sed -n 's/^rows deleted //p' <<<"$out"))"
echo "  delete: $d s, undo: $u s; ratio undo / opening the project in the list: $(ratio "$u" "$g")"
echo "  ratio undo / exiv2: $(ratio "$u" "$e")"
echo "  undo step: $(sed -n 's/^undo step bytes per row //p' <<<"$out") bytes per row; the document's entries: $(sed -n 's/^document entry bytes per row //p' <<<"$out") bytes per row"
