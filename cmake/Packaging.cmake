# "cpack -G DEB" in the build folder: a Debian package that installs to /usr. The programs
# find their shipped files from their own folder, and each user's catalogue and settings go
# to the XDG folders, so nothing under /usr is ever written.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Find on which compilation disks a game lies, browse a group's disks, audit which disk\n"
    "image files are present, start a disk in an emulator, keep favourites and export the\n"
    "result list. The window is kestrel; kestrel-cli does the same from a terminal.")
set(CPACK_PACKAGE_CONTACT "Kestrel developers <kestrel@invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries the programs link (Qt, SQLite, libmdb) come from dpkg-shlibdeps; Qt's SVG
# plugins are loaded, not linked, and come with libqt6svg6.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# Wayland sessions without Xwayland; the Linux emulator, and Windows emulators through wine.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "hatari, wine")

include(CPack)
