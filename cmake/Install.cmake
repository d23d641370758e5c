# Where `cmake --install` (and the packages) put Tessera: the two programs, the window's desktop
# entry, icon and AppStream metainfo, the manual pages and tessera-cli's bash completion. Each
# file belongs to the component of the program it serves, so the command line can be packaged
# without the window. The version in the pages comes from project(VERSION).
include(GNUInstallDirs)

set(TESSERA_APP_ID io.github.tessera.Tessera)
set(TESSERA_DATA ${PROJECT_SOURCE_DIR}/data)
set(TESSERA_DATA_OUT ${PROJECT_BINARY_DIR}/data)

if(TARGET tessera-cli)
    install(TARGETS tessera-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT cli)
    configure_file(${TESSERA_DATA}/man/tessera-cli.1.in ${TESSERA_DATA_OUT}/tessera-cli.1 @ONLY)
    install(FILES ${TESSERA_DATA_OUT}/tessera-cli.1
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT cli)
    install(FILES ${TESSERA_DATA}/completion/tessera-cli
            DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions COMPONENT cli)
endif()

if(TARGET tessera)
    install(TARGETS tessera RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT gui)
    configure_file(${TESSERA_DATA}/man/tessera.1.in ${TESSERA_DATA_OUT}/tessera.1 @ONLY)
    configure_file(${TESSERA_DATA}/${TESSERA_APP_ID}.metainfo.xml.in
                   ${TESSERA_DATA_OUT}/${TESSERA_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${TESSERA_DATA_OUT}/tessera.1
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT gui)
    install(FILES ${TESSERA_DATA}/${TESSERA_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT gui)
    install(FILES ${TESSERA_DATA}/icons/${TESSERA_APP_ID}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT gui)
    install(FILES ${TESSERA_DATA_OUT}/${TESSERA_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT gui)
endif()

# The install tree and its files checked as a user's machine would see them: each test installs
# into a temporary prefix; a check whose tool is missing is skipped, not failed.
if(TESSERA_TESTS AND TARGET tessera-cli)
    foreach(check tree desktop appstream man completion)
        add_test(NAME install.${check}
                 COMMAND ${PROJECT_SOURCE_DIR}/tests/install/check ${check} ${PROJECT_BINARY_DIR})
        # One install at a time: each rewrites the build's install manifest.
        set_tests_properties(install.${check} PROPERTIES SKIP_RETURN_CODE 77
                                                         RESOURCE_LOCK tessera_install)
    endforeach()
endif()
