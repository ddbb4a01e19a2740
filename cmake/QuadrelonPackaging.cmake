# Packages made by CPack: `cpack -G DEB` in the build folder makes quadrelon_<version>_<arch>.deb.

set(CPACK_PACKAGE_NAME quadrelon)
set(CPACK_PACKAGE_VENDOR "${QUADRELON_WEB_ADDRESS}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Rectangle calculator")
set(CPACK_PACKAGE_DESCRIPTION
    "Finds the sides, diagonal, perimeter and area of a rectangle from any two of them.\nThe interface is in Bulgarian.")
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

# A source package holds the sources alone.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/" "/build-[^/]*/")

include(CPack)
