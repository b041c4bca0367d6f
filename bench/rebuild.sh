#!/usr/bin/env bash
# Rebuilding a gallery whose thumbnails all exist (what a user does after
# adding one photo): every photo added again, thumbnails kept, pages written;
# against exiv2 printing the same files' camera data in one process (medians
# of 11 rounds in which the two take turns).
#   bench/rebuild.sh [build-dir] [files]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=${1:-build}
count=${2:-2000}
cli="$(cd "$build" && pwd)/cli/gallorim-cli"
[ -x "$cli" ] || { echo "build gallorim-cli first ($cli)"; exit 1; }
require exiv2 hyperfine python3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
link_sample_photos "$work/photos" "$count"
echo "first build of $count photos (untimed) ..."
"$cli" build -q "$work/photos" >/dev/null
# From now on the folder also holds the thumbnails: a rebuild rejects them by
# name and says so (exit status 1), as it does for the user.
thumbs=$(find "$work/photos" -path '*mini*' -type f | wc -l)
[ "$thumbs" -ge "$count" ] || { echo "the first build made $thumbs thumbnails, not $count"; exit 1; }
stamp=$(find "$work/photos" -path '*mini*' -type f -printf '%T@\n' | sort -n | tail -1)

rm "$work/photos/index.html"
"$cli" build -q "$work/photos" >/dev/null 2>&1 || [ $? -eq 1 ]
[ -s "$work/photos/index.html" ] || { echo "the rebuild wrote no page"; exit 1; }
{ read -r g; read -r e; } < <(interleaved_medians 11 "$cli build -q $work/photos" "exiv2 -q pr $work/photos/*.jpg")
after=$(find "$work/photos" -path '*mini*' -type f -printf '%T@\n' | sort -n | tail -1)
[ "$stamp" = "$after" ] || echo "  WARNING: the rebuild rewrote thumbnails"
echo "$count photos, thumbnails kept"
echo "  gallorim-cli build again: $g s"
echo "  exiv2 pr (one process):   $e s"
echo "  ratio gallorim / exiv2: $(ratio "$g" "$e")   (target 1.0 or less)"
