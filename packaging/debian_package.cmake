# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in the build folder (or scripts/package)
# makes veltrasko-analyser_<version>-1_<arch>.deb. dpkg-shlibdeps finds the
# libraries it depends on; the system's triggers register the desktop entry,
# the record file type and the icon; its scripts reload udev's rules.
install(FILES debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/veltrasko-analyser)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltrasko-analyser)
set(CPACK_PACKAGE_VENDOR Corvane)
set(CPACK_PACKAGE_CONTACT "Veltrasko Analyser developers <analyser@corvane.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "kayak ergometer analyser: record, show and export paddle strokes")
set(CPACK_PACKAGE_DESCRIPTION
    "The desktop program of the Veltrasko fan-resistance kayak ergometer.
It connects to the ergometer's computer box over USB, shows every paddle
stroke live as speed, stroke rate, power, work, water and air time,
distances, times and heart rate, records each session in a record file of
its own, opens record files again as graphs and exports their strokes for
spreadsheets. veltrasko-export writes the same export from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://corvane.com/veltrasko-analyser/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window needs a platform plugin, which no library link names.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/debian/postinst ${CMAKE_CURRENT_LIST_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
