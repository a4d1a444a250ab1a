# Installing: the runnable package under lib/Dorvane2/ with a bin/dorvane2 link.
set(PACKAGE_INSTALL_DIR lib/Dorvane2)

# Installed as targets, not as a copy of build/Dorvane2/: the build's RUNPATH also names the
# build folder, install leaves only $ORIGIN/../Frameworks, and CPack can strip them.
install(TARGETS Dorvane2 RUNTIME DESTINATION ${PACKAGE_INSTALL_DIR}/bin)
install(TARGETS Dorvane2Framework AppearanceControls
    LIBRARY DESTINATION ${PACKAGE_INSTALL_DIR}/Frameworks)
install(DIRECTORY ${PACKAGE_RESOURCES}/ DESTINATION ${PACKAGE_INSTALL_DIR}/Resources
    USE_SOURCE_PERMISSIONS)
install(CODE "file(MAKE_DIRECTORY \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin)
execute_process(COMMAND ${CMAKE_COMMAND} -E create_symlink ../${PACKAGE_INSTALL_DIR}/bin/Dorvane2
    \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/dorvane2)")
