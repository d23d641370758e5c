# SPDX-License-Identifier: GPL-3.0-or-later
# `make deb`: two Debian packages from the install components, their library dependencies
# computed from the binaries by dpkg-shlibdeps.
#  - tessera-cli: the command line, its manual page and completion. No Qt, so a build server
#    installs it alone.
#  - tessera: the window and its desktop files, depending on tessera-cli of the same version
#    rather than containing it: no file is in both packages, so they never conflict, and a
#    machine with the window has the command line its build uses.
# Each package links the libraries Debian ships (libpng, zlib, Qt) as shared libraries, so their
# security updates reach Tessera; it holds stripped programs, compressed manual pages, and the
# copyright and changelog files Debian asks for in /usr/share/doc/PACKAGE.
set(TESSERA_MAINTAINER "The Tessera developers <tessera@users.noreply.github.com>"
    CACHE STRING "Maintainer of the Debian packages, as Name <address>")
set(TESSERA_HOMEPAGE https://github.com/tessera/tessera)
set(CPACK_PACKAGE_NAME tessera)
set(CPACK_PACKAGE_VENDOR "The Tessera developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TESSERA_MAINTAINER})
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TESSERA_HOMEPAGE})

# libsndfile is opened by name on the first sound that is not a WAV file, so dpkg-shlibdeps does
# not see it; 1.1.0 is the first to read MP3.
set(TESSERA_OPENED_LIBRARIES "libsndfile1 (>= 1.1.0)")
set(CPACK_DEBIAN_CLI_PACKAGE_DEPENDS ${TESSERA_OPENED_LIBRARIES})
set(CPACK_DEBIAN_GUI_PACKAGE_DEPENDS ${TESSERA_OPENED_LIBRARIES})

set(CPACK_COMPONENTS_ALL cli)
set(CPACK_DEBIAN_CLI_PACKAGE_NAME tessera-cli)
# The first line is the synopsis; each line of the rest stays within 80 columns and none starts
# with a dot.
set(CPACK_DEBIAN_CLI_DESCRIPTION "convert pictures and sounds into data for the GP32\n\
Converts BMP, PNG and RAW pictures and WAV sounds into C arrays, .gpg and .sef\n\
files for GP32 programs, from the command line or a build (make, Ninja, CMake),\n\
writing exactly the bytes the Tessera window writes.")
if(TARGET tessera)
    list(APPEND CPACK_COMPONENTS_ALL gui)
    set(CPACK_DEBIAN_GUI_PACKAGE_NAME tessera)
    set(CPACK_DEBIAN_GUI_PACKAGE_SECTION graphics)
    set(CPACK_COMPONENT_GUI_DEPENDS cli)
    set(CPACK_DEBIAN_GUI_DESCRIPTION "window converting pictures and sounds for the GP32\n\
The Tessera window loads a BMP, PNG or RAW picture or a WAV sound, previews a\n\
picture as the GP32 shows it and converts it into C text or a binary file\n\
(.gpg, .sef) for GP32 programs.")
endif()

foreach(component cli gui)
    set(package tessera-cli)
    if(component STREQUAL gui)
        if(NOT TARGET tessera)
            continue()
        endif()
        set(package tessera)
    endif()
    set(doc ${PROJECT_BINARY_DIR}/debian/${package})
    configure_file(data/debian/copyright.in ${doc}/copyright @ONLY)
    configure_file(data/debian/changelog.in ${doc}/changelog @ONLY)
    set(changelog ${doc}/changelog)
    if(TESSERA_GZIP)
        execute_process(COMMAND ${TESSERA_GZIP} -9nkf ${changelog} COMMAND_ERROR_IS_FATAL ANY)
        set(changelog ${changelog}.gz)
    endif()
    install(FILES ${doc}/copyright ${changelog}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
    # What lintian says of the package and we keep, each with its reason.
    install(FILES data/debian/${package}.lintian-overrides
            DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ${package}
            COMPONENT ${component})
endforeach()

include(CPack)
