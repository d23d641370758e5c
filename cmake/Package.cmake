# `make deb`: two Debian packages from the install components, their library dependencies
# computed from the binaries by dpkg-shlibdeps.
#  - tessera-cli: the command line, its manual page and completion. No Qt, so a build server
#    installs it alone.
#  - tessera: the window and its desktop files, depending on tessera-cli of the same version
#    rather than containing it: no file is in both packages, so they never conflict, and a
#    machine with the window has the command line its build uses.
set(CPACK_PACKAGE_NAME tessera)
set(CPACK_PACKAGE_VENDOR "The Tessera developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Convert pictures and sounds into data for the GP32")
set(CPACK_PACKAGE_CONTACT "Tessera developers <tessera@localhost>")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/tessera/tessera)

set(CPACK_COMPONENTS_ALL cli)
set(CPACK_DEBIAN_CLI_PACKAGE_NAME tessera-cli)
set(CPACK_DEBIAN_CLI_DESCRIPTION
    "Converts BMP and RAW pictures and WAV sounds into C arrays, .gpg and .sef files for the\n\
GP32, from the command line; writes exactly the bytes the Tessera window writes.")
if(TARGET tessera)
    list(APPEND CPACK_COMPONENTS_ALL gui)
    set(CPACK_DEBIAN_GUI_PACKAGE_NAME tessera)
    set(CPACK_DEBIAN_GUI_PACKAGE_SECTION graphics)
    set(CPACK_COMPONENT_GUI_DEPENDS cli)
    set(CPACK_DEBIAN_GUI_DESCRIPTION
        "The Tessera window: loads a picture or a sound, previews a picture as the GP32 shows\n\
it and converts it into C text or a binary file for GP32 programs.")
endif()

include(CPack)
