# The Debian package that tools/package.sh builds with CPack.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "quivermark")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_PACKAGE_CONTACT "The Quivermark developers <developers@quivermark.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "x01 darts game for two players, human or computer")
# CPack puts the summary first and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Two players, each a human or a computer player, play 101, 301, 501, 701 or
1001 as best of a number of legs or sets. Humans type the total of each visit;
computer players throw dart by dart onto a drawn board, aiming from a checkout
chart, with a scatter that follows their strength. Every finished leg is kept
in the player's history, which the statistics window charts.

The package also holds quivermark-sim, which plays computer matches at full
speed without a window.")
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The libraries come from dpkg-shlibdeps; Qt's platform plugins, which the game loads at run
# time and no link shows, are in a package of their own.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The caller's voice is loaded at run time, so dpkg-shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libespeak-ng1")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
