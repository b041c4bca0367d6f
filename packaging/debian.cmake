# The Debian package, built by `make package` (cpack -G DEB) from what the
# install rules put under /usr. Its library dependencies come from the
# binaries (dpkg-shlibdeps); the rest are what the program loads at run time.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gallorim)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vorlex Software")
set(CPACK_PACKAGE_CONTACT "Vorlex Software <gallorim@vorlex.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "photo gallery maker for the web")
set(CPACK_PACKAGE_DESCRIPTION [[
Gallorim turns a list of photos into an HTML gallery ready to publish:
thumbnails, paginated pages from a built-in design or your own, popups,
tooltips, zip downloads of the originals and a slideshow. Photos are
reordered by clicking on the page itself, and a gallery is saved as a
project to take up again. The interface is in French.

gallorim-cli builds the same galleries from the command line.]])

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.vorlex.com/gallorim/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Loaded at run time, so no binary names them: the Chromium process and
# data of the placement window, the SVG icons, TIFF and WebP, Qt's French
# dialogs and the print fonts with Arial's and Times' metrics.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6webenginecore6-bin, libqt6svg6, qt6-image-formats-plugins, qt6-translations-l10n, fonts-liberation2")
# Links and the guide open in the desktop's browser; Wayland sessions get
# a native window.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-wayland")

# CPack writes a postinst and a postrm calling ldconfig for any shared object
# under /usr/lib. The placement control is a private module loaded by its
# path, so they are needless, and a postrm would keep the package half there
# ("rc") after `apt remove`. Naming maintainer scripts that do not exist
# turns the generated ones off and adds none; the package test checks it.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  "${CMAKE_CURRENT_BINARY_DIR}/no-maintainer-scripts/postinst;${CMAKE_CURRENT_BINARY_DIR}/no-maintainer-scripts/postrm")

include(CPack)
