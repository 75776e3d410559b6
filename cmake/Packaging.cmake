# What `cmake --install` puts where.
# Only the programs go in; the test executables have no install rules and stay in the build.

include(GNUInstallDirs)

install(TARGETS zeb-mo zeb-mo-init zeb-mo-bench RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(NOT (UNIX AND NOT APPLE))
    return()
endif()

# The desktop menu entry starts the program with the option that asks for the data
# directory, since a menu gives it no working directory worth using.
install(FILES ${CMAKE_SOURCE_DIR}/resources/zeb-mo.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/zeb-mo.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/resources/zeb-mo-256.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps RENAME zeb-mo.png)
