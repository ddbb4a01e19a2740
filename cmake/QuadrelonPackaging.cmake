# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Packages made by CPack: `cpack -G DEB` in the build folder makes quadrelon_<version>_<arch>.deb.

set(CPACK_PACKAGE_NAME quadrelon)
set(CPACK_PACKAGE_VENDOR "${QUADRELON_WEB_ADDRESS}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Rectangle calculator")
# Package managers show this in 80 columns: every line stays shorter.
set(CPACK_PACKAGE_DESCRIPTION
    "Quadrelon finds the sides, diagonal, perimeter and area of a rectangle\nfrom any two of them. The interface is in Bulgarian.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://${QUADRELON_WEB_ADDRESS}")
string(REGEX REPLACE "^www\\." "" _quadrelon_mail_domain "${QUADRELON_WEB_ADDRESS}")
set(CPACK_PACKAGE_CONTACT "Quadrelon maintainers <maintainers@${_quadrelon_mail_domain}>")
set(CPACK_STRIP_FILES ON)

if(NOT DEFINED CPACK_GENERATOR)
    if(UNIX AND NOT APPLE)
        set(CPACK_GENERATOR DEB)
    else()
        set(CPACK_GENERATOR ZIP)
    endif()
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Not linked, but needed at run time: the window's fonts and Qt's own Bulgarian texts.
set(_quadrelon_deb_depends "fonts-liberation, qt6-translations-l10n")
find_program(QUADRELON_DPKG_SHLIBDEPS dpkg-shlibdeps)
mark_as_advanced(QUADRELON_DPKG_SHLIBDEPS)
if(QUADRELON_DPKG_SHLIBDEPS)
    # Adds the libraries the program links, Qt's among them, with their versions.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    string(PREPEND _quadrelon_deb_depends
        "libqt6widgets6 (>= ${Qt6_VERSION}), libqt6gui6 (>= ${Qt6_VERSION}), libqt6core6 (>= ${Qt6_VERSION}), ")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${_quadrelon_deb_depends}")

# What a Debian package carries besides the program: the licence terms, the change log
# and the manual page, the last two compressed as Debian's tools do it (gzip -9n: no
# name or time stamp inside, so a rebuild gives the same bytes).
if(UNIX AND NOT APPLE)
    set(_quadrelon_docs ${PROJECT_BINARY_DIR}/packaging)
    configure_file(${PROJECT_SOURCE_DIR}/resources/debian/copyright.in ${_quadrelon_docs}/copyright @ONLY)
    configure_file(${PROJECT_SOURCE_DIR}/resources/debian/changelog ${_quadrelon_docs}/changelog COPYONLY)
    configure_file(${PROJECT_SOURCE_DIR}/resources/quadrelon.1.in ${_quadrelon_docs}/quadrelon.1 @ONLY)
    find_program(QUADRELON_GZIP gzip REQUIRED)
    mark_as_advanced(QUADRELON_GZIP)
    add_custom_command(
        OUTPUT ${_quadrelon_docs}/changelog.gz ${_quadrelon_docs}/quadrelon.1.gz
        COMMAND ${QUADRELON_GZIP} -9nkf changelog quadrelon.1
        WORKING_DIRECTORY ${_quadrelon_docs}
        DEPENDS ${_quadrelon_docs}/changelog ${_quadrelon_docs}/quadrelon.1
        COMMENT "Compressing the change log and the manual page")
    add_custom_target(quadrelon_docs ALL
        DEPENDS ${_quadrelon_docs}/changelog.gz ${_quadrelon_docs}/quadrelon.1.gz)
    install(FILES ${_quadrelon_docs}/copyright ${_quadrelon_docs}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quadrelon)
    install(FILES ${_quadrelon_docs}/quadrelon.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# A source package holds the sources alone.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/" "/build-[^/]*/")

include(CPack)
