#!/usr/bin/env bash
# A folder of large camera JPEGs turned into a web gallery by gallorim-cli,
# llgal and fgallery, each with its default sizes and as many jobs as cores.
#   bench/endtoend.sh [build-dir] [files] [jobs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=${1:-build}
count=${2:-12}
jobs=${3:-$(nproc)}
cli="$(cd "$build" && pwd)/cli/gallorim-cli"
[ -x "$cli" ] || { echo "build gallorim-cli first ($cli)"; exit 1; }
require llgal fgallery hyperfine convert python3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "making $count JPEGs of 12 MP in $work ..."
make_jpeg 4000 3000 "$work/base.jpg"
for tool in gallorim llgal fgallery; do
  mkdir -p "$work/$tool"
  for i in $(seq 1 "$count"); do cp "$work/base.jpg" "$work/$tool/photo$i.jpg"; done
done

g=$(mean_seconds 3 "rm -rf $work/gallorim/mini $work/gallorim/index.html" \
  "$cli build -q --jobs $jobs $work/gallorim")
l=$(mean_seconds 3 "rm -rf $work/llgal/.llgal $work/llgal/index.html $work/llgal/slide_*.html" \
  "cd $work/llgal && llgal -d . >/dev/null 2>&1")
f=$(mean_seconds 3 "rm -rf $work/fgallery-out" "fgallery -j $jobs -d $work/fgallery $work/fgallery-out >/dev/null 2>&1")
best=$(python3 -c 'import sys; print(min(float(sys.argv[1]), float(sys.argv[2])))' "$l" "$f")
echo "$count JPEGs of 12 MP, $jobs jobs"
echo "  gallorim-cli build: $g s"
echo "  llgal:              $l s"
echo "  fgallery:           $f s"
echo "  the faster of the two / gallorim: $(ratio "$best" "$g")   (target 3 or more)"
