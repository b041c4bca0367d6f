#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the demo need.
# Idempotent: apt-get runs only when a package is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config make
  qt6-base-dev qt6-image-formats-plugins
  libqt6svg6 libx11-dev
  libgif-dev libexiv2-dev libzip-dev
  libgtest-dev libgmock-dev
  fonts-dejavu-core
  fonts-liberation2
  exiv2
)
# Qt's own dialogs and buttons in French, like the rest of the program.
packages+=(qt6-translations-l10n)
# HEIC and AVIF photos; the tests make theirs with libheif's own encoders.
packages+=(libheif-dev)
# JPEG thumbnails go through libjpeg-turbo directly (any M/8 shrink-on-load).
packages+=(libjpeg-dev)
# Printed lists are read back as text in the tests.
packages+=(poppler-utils)
# The visual placement window hosts its page in Qt WebEngine.
packages+=(qt6-webengine-dev)
# Widget tests that need a real window run under a virtual display.
packages+=(xvfb xauth)
# The Debian package (`make package`) and its test: dpkg-shlibdeps for its
# dependencies, Debian's checkers, man to read the manual pages, and
# bash-completion to drive the completion file.
packages+=(dpkg-dev lintian desktop-file-utils appstream man-db bash-completion)
# The screen-reader test drives the program through the desktop's
# accessibility bus, under a window manager so windows get focus.
packages+=(at-spi2-core python3-pyatspi openbox dbus-daemon)
# Browser tests of the generated pages.
packages+=(chromium nodejs npm)
# The EXIF texts are checked under a French locale (decimal comma).
packages+=(locales)
# The README's screenshot of the program (scripts/screenshot.sh).
if [ "${GALLORIM_SCREENSHOT:-0}" = 1 ]; then
  packages+=(imagemagick xdotool)
fi
# The libFuzzer builds (`make fuzz`, CI): clang with its fuzzer and sanitizer
# runtimes, and llvm-symbolizer for readable reports.
if [ "${GALLORIM_FUZZ:-0}" = 1 ]; then
  packages+=(clang libclang-rt-14-dev llvm)
fi
if [ "${GALLORIM_BENCH:-0}" = 1 ]; then
  packages+=(libvips-tools hyperfine llgal fgallery liblcms2-utils exiv2 time imagemagick)
  # HEIC thumbnails against libheif's own thumbnailer; heif-enc makes the
  # bench's HEIC files and, against cjpeg, AVIF thumbnails.
  packages+=(heif-thumbnailer libheif-examples libjpeg-turbo-progs)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
# node and npm may come from elsewhere than Debian on some machines.
if command -v node >/dev/null 2>&1 && command -v npm >/dev/null 2>&1; then
  tmp=()
  for p in "${missing[@]}"; do [[ "$p" == nodejs || "$p" == npm ]] || tmp+=("$p"); done
  missing=("${tmp[@]+"${tmp[@]}"}")
fi

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qix 'fr_FR.utf8'; then
  echo "Generating the fr_FR.UTF-8 locale"
  # Through locale.gen, so that a later locale-gen keeps it.
  if grep -q '^# *fr_FR.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    $sudo sed -i 's/^# *\(fr_FR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  elif ! grep -q '^fr_FR.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'fr_FR.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  fi
  $sudo locale-gen >/dev/null
fi
