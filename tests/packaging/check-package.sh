#!/usr/bin/env bash
# Builds the Debian package into a temporary folder and checks it the way
# Debian's tools see it, without installing it: contents, control fields,
# lintian, the desktop entry, the AppStream data, and the programs answering
# --help and --version from the unpacked tree without a display.
# usage: check-package.sh BUILD_DIR APP_ID
set -euo pipefail
build=$(cd "$1" && pwd)
id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log" >&2; exit 1; }
debs=("$work"/out/gallorim_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "no single package in $work/out" >&2; exit 1; }
deb=${debs[0]}
root="$work/root"
dpkg-deb -x "$deb" "$root"
field() { dpkg-deb -f "$deb" "$1"; }

# Control fields: the version is the programs' own, the dependencies cover
# both the linked libraries and what is only loaded at run time.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/gallorim-cli" --version | awk '{print $2}')
[ "$(field Package)" = gallorim ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version $(field Version), gallorim-cli says $version"
[ "$(basename "$deb")" = "gallorim_${version}_$(dpkg --print-architecture).deb" ] || fail "file name $(basename "$deb")"
depends=$(field Depends)
for dep in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6webenginewidgets6 libexiv2 libzip4 libheif1 \
  libjpeg62-turbo libgif7 libqt6webenginecore6-bin libqt6svg6 qt6-image-formats-plugins \
  qt6-translations-l10n fonts-liberation2; do
  [[ ", $depends" == *", $dep"* ]] || fail "Depends lacks $dep: $depends"
done

# No maintainer script: `apt remove` then takes the package away whole,
# where even an empty postrm would keep it listed until purged.
scripts=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E '(pre|post)(inst|rm)$' || true)
[ -z "$scripts" ] || fail "maintainer scripts: $scripts"

# Every part a desktop expects, all under /usr.
expected=(
  usr/bin/gallorim usr/bin/gallorim-cli
  usr/lib/gallorim/libglrplace.so usr/lib/gallorim/glrplace-regsvr
  "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml"
  "usr/share/icons/hicolor/scalable/apps/$id.svg" "usr/share/mime/packages/$id.xml"
  usr/share/gallorim/aide/index.html usr/share/gallorim/aide/exemple_vignettes.html
  usr/share/man/man1/gallorim.1.gz usr/share/man/man1/gallorim-cli.1.gz
  usr/share/man/fr/man1/gallorim.1.gz usr/share/man/fr/man1/gallorim-cli.1.gz
  usr/share/bash-completion/completions/gallorim-cli
  usr/share/doc/gallorim/copyright usr/share/doc/gallorim/changelog.gz
)
for f in "${expected[@]}"; do [ -f "$root/$f" ] || fail "missing /$f"; done
outside=$(cd "$root" && find . -mindepth 1 -maxdepth 1 ! -name usr)
[ -z "$outside" ] || fail "files outside /usr: $outside"
for size in 16 22 24 32 48 64 128 256; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
  if [ -f "$png" ]; then
    # Width and height from the PNG header.
    read -r w h < <(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [ "$w x $h" = "$size x $size" ] || fail "$png is ${w}x$h"
  else
    fail "missing ${size}x$size icon"
  fi
done
grep -q "^Icon=$id$" "$root/usr/share/applications/$id.desktop" || fail "desktop entry names another icon"
grep -q "application/x-gallorim-project" "$root/usr/share/applications/$id.desktop" || fail "desktop entry lost the project type"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$id.metainfo.xml" || fail "metainfo has no release $version"
if grep -rqs --binary-files=text "$build" "$root/usr/share"; then fail "a build path is written in /usr/share"; fi

# The programs answer without a display, through the conventions.
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=)
for program in gallorim gallorim-cli; do
  out=$(timeout 20 "${nodisplay[@]}" "$root/usr/bin/$program" --help) || fail "$program --help failed"
  [[ $out == usage* ]] || fail "$program --help printed: $out"
  out=$(timeout 20 "${nodisplay[@]}" "$root/usr/bin/$program" --version) || fail "$program --version failed"
  [ "$out" = "$program $version" ] || fail "$program --version printed: $out"
done
status=0
timeout 20 "$root/usr/bin/gallorim-cli" --frobnicate >/dev/null 2>"$work/err" || status=$?
[ $status -eq 2 ] && grep -q -- --frobnicate "$work/err" || fail "an unknown option gave $status: $(cat "$work/err")"

# Debian's own checks: no error and no warning.
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --explain "$root/usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree"
lintian --fail-on error,warning --tag-display-limit 0 "$deb" || fail "lintian"
for page in "$root"/usr/share/man/man1/*.gz "$root"/usr/share/man/fr/man1/*.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page: $warnings"
done

[ $failures -eq 0 ] || { echo "$failures failure(s); package: $deb" >&2; exit 1; }
echo "package $(basename "$deb") checked"
