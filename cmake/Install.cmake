# Where `cmake --install` (and the packages) put Tessera: the two programs, the window's desktop
# entry, icon and AppStream metainfo, the manual pages, tessera-cli's bash completion and the
# CMake package that gives builds Tessera::cli and tessera_add_assets(). Each
# file belongs to the component of the program it serves, so the command line can be packaged
# without the window. The version in the pages comes from project(VERSION).
include(GNUInstallDirs)

set(TESSERA_APP_ID io.github.tessera.Tessera)
set(TESSERA_DATA ${PROJECT_SOURCE_DIR}/data)
set(TESSERA_DATA_OUT ${PROJECT_BINARY_DIR}/data)

# The manual pages and the completion are filled in from tessera-cli's option table by
# tessera-cli-docs; the pages are installed compressed, as man reads them.
find_program(TESSERA_GZIP gzip)
file(MAKE_DIRECTORY ${TESSERA_DATA_OUT}/completion)
function(tessera_generated_doc template output)
    add_custom_command(OUTPUT ${TESSERA_DATA_OUT}/${output}
                       COMMAND tessera-cli-docs ${TESSERA_DATA}/${template} ${TESSERA_DATA_OUT}/${output}
                       DEPENDS tessera-cli-docs ${TESSERA_DATA}/${template} VERBATIM)
endfunction()
function(tessera_man_page name component)
    tessera_generated_doc(man/${name}.1.in ${name}.1)
    set(page ${TESSERA_DATA_OUT}/${name}.1)
    if(TESSERA_GZIP)
        add_custom_command(OUTPUT ${page}.gz
                           COMMAND ${TESSERA_GZIP} -9nf -k ${page}
                           DEPENDS ${page} VERBATIM)
        set(page ${page}.gz)
    endif()
    add_custom_target(tessera_${name}_man ALL DEPENDS ${page})
    install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
endfunction()

if(TARGET tessera-cli)
    install(TARGETS tessera-cli EXPORT TesseraTargets
            RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT cli)
    tessera_man_page(tessera-cli cli)
    tessera_generated_doc(completion/tessera-cli.in completion/tessera-cli)
    add_custom_target(tessera_completion ALL DEPENDS ${TESSERA_DATA_OUT}/completion/tessera-cli)
    install(FILES ${TESSERA_DATA_OUT}/completion/tessera-cli
            DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions COMPONENT cli)

    # The CMake package: find_package(Tessera CONFIG) from the install tree, or from this build
    # folder through Tessera_DIR (the same three files side by side in both).
    # Tessera::cli runs on the build machine, whatever the project compiles for (a GP32 game is
    # cross-compiled for ARM): the package fits every architecture and sits under share/, where
    # a cross-compiling project looks too.
    include(CMakePackageConfigHelpers)
    set(TESSERA_CMAKE_DIR ${CMAKE_INSTALL_DATADIR}/cmake/Tessera)
    write_basic_package_version_file(${PROJECT_BINARY_DIR}/TesseraConfigVersion.cmake
                                     COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
    configure_file(cmake/TesseraConfig.cmake ${PROJECT_BINARY_DIR}/TesseraConfig.cmake COPYONLY)
    configure_file(cmake/TesseraAssets.cmake ${PROJECT_BINARY_DIR}/TesseraAssets.cmake COPYONLY)
    export(EXPORT TesseraTargets NAMESPACE Tessera::
           FILE ${PROJECT_BINARY_DIR}/TesseraTargets.cmake)
    install(EXPORT TesseraTargets NAMESPACE Tessera:: DESTINATION ${TESSERA_CMAKE_DIR}
            COMPONENT cli)
    install(FILES ${PROJECT_BINARY_DIR}/TesseraConfig.cmake
                  ${PROJECT_BINARY_DIR}/TesseraConfigVersion.cmake
                  ${PROJECT_BINARY_DIR}/TesseraAssets.cmake
            DESTINATION ${TESSERA_CMAKE_DIR} COMPONENT cli)
endif()

if(TARGET tessera)
    install(TARGETS tessera RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT gui)
    tessera_man_page(tessera gui)
    configure_file(${TESSERA_DATA}/${TESSERA_APP_ID}.metainfo.xml.in
                   ${TESSERA_DATA_OUT}/${TESSERA_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${TESSERA_DATA}/${TESSERA_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT gui)
    install(FILES ${TESSERA_DATA}/icons/${TESSERA_APP_ID}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT gui)
    install(FILES ${TESSERA_DATA_OUT}/${TESSERA_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT gui)
    # The metainfo's screenshot, for software centres that show what is installed offline.
    install(FILES ${TESSERA_DATA}/screenshots/window.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/tessera/screenshots COMPONENT gui)
endif()

# The install tree and its files checked as a user's machine would see them: each test installs
# into a temporary prefix; a check whose tool is missing is skipped, not failed.
if(TESSERA_TESTS AND TARGET tessera-cli)
    foreach(check tree desktop appstream man completion package)
        add_test(NAME install.${check}
                 COMMAND ${PROJECT_SOURCE_DIR}/tests/install/check ${check} ${PROJECT_BINARY_DIR})
        # One install at a time: each rewrites the build's install manifest.
        set_tests_properties(install.${check} PROPERTIES SKIP_RETURN_CODE 77
                                                         RESOURCE_LOCK tessera_install)
    endforeach()
endif()

