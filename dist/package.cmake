# The Debian package: `make package`, or `cpack -G DEB` in the build folder.
# dpkg-shlibdeps finds the libraries the programs link (the Qt 6 runtime,
# the C++ runtime); the package adds what it loads at run time.

set(VANDREL_PACKAGE_MAINTAINER "The vandrel developers <vandrel@users.noreply.github.com>"
    CACHE STRING "The Debian package's maintainer, as Name <address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vandrel)
set(CPACK_PACKAGE_HOMEPAGE_URL https://github.com/vandrel/vandrel)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "perihelion and aphelion finder for Horizons ephemerides")
set(CPACK_PACKAGE_DESCRIPTION
    "vandrel reads a vector table saved from JPL's Horizons service and finds the\n"
    "least and the greatest distance from the Sun among its records, with the\n"
    "record's date and time, its item number, and the distance in AU and in km.\n"
    "It is a small Qt window, and vandrel-scan, a command-line scanner for\n"
    "scripts and very large files, with JSON output.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VANDREL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(VANDREL_BUILD_APP)
    # Qt loads its platform plugins (X11 and others) at run time; the web
    # pages open through xdg-open.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
endif()

include(CPack)
