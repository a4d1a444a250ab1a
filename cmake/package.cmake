# Installing: the runnable package under lib/Dorvane2/ with a bin/dorvane2 link, the
# desktop entry and its icon for the application menu, the AppStream metainfo for software
# centres, the manual page, and the Debian package CPack makes from that install
# (`cpack -G DEB` in the build folder).
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

install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/dorvane2.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/dorvane2.svg
    DESTINATION share/icons/hicolor/scalable/apps)

install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/org.example.dorvane2.metainfo.xml
    DESTINATION share/metainfo)

# Debian wants the changelog and the manual page compressed at the highest level and
# without a timestamp.
function(dorvane2_gzipped source destination)
    get_filename_component(name ${source} NAME)
    set(copy ${CMAKE_BINARY_DIR}/gzipped/${name})
    add_custom_command(
        OUTPUT ${copy}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
        COMMAND gzip -9nf ${copy}
        DEPENDS ${source})
    add_custom_target(dorvane2_${name}_gz ALL DEPENDS ${copy}.gz)
    install(FILES ${copy}.gz DESTINATION ${destination})
endfunction()
dorvane2_gzipped(${CMAKE_SOURCE_DIR}/resources/debian/changelog share/doc/dorvane2)
dorvane2_gzipped(${CMAKE_SOURCE_DIR}/resources/man/dorvane2.1 share/man/man1)
install(FILES ${CMAKE_SOURCE_DIR}/resources/debian/copyright DESTINATION share/doc/dorvane2)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dorvane2)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Dorvane2 developers <dorvane2@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small desktop alarm clock with a Japanese interface")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[
Set an alarm time with the arrows, or a duration, pick one of six sounds and
start it: at the alarm minute it rings once a second, ten soft rings and then
loud, until it is stopped; any key snoozes it for five minutes.]])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_STRIP_FILES ON)
# Libraries come from dpkg-shlibdeps; these are what runs besides them: the Japanese face
# and the activation script's wmctrl and xdotool (its sh and pidof are essential).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS usr/${PACKAGE_INSTALL_DIR}/Frameworks)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, wmctrl, xdotool")
include(CPack)
