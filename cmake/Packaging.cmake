# What `cmake --install` puts where, and the Debian package made of it (`make package`).
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

set(ZEB_PACKAGE_MAINTAINER "ZEB – MO administrativa <maintainers@users.noreply.c-seed-e03d0f9c.example>"
    CACHE STRING "The Maintainer field of the Debian package: name <e-mail>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zeb-mo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ZEB – MO administrativa")
set(CPACK_PACKAGE_CONTACT ${ZEB_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Debug information stays in the build; the package is for the chapter's computer.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZEB_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[administration of a local chapter of the anglers' union
Member register, yearly fees and fishing permits at the cash desk, brigade
hours, removals and awards, catch returns and their district totals, and every
printed document the chapter's secretary needs.

Správa členů, plateb a dokladů místní organizace rybářského svazu: evidence
členů, roční příspěvky a povolenky u pokladny, brigádnické hodiny, vyřazení
a vyznamenání, sumáře úlovků a jejich součty pro svaz a všechny tiskopisy,
které jednatel potřebuje.]=])
# dpkg-shlibdeps names the Qt, SQLite and ICU libraries the programs link; our own
# libraries are static, so it needs no private folders. What is only loaded at run time
# comes on top: the report fonts, the picture and icon plugins and Qt's Czech texts.
# The X11 platform plugin comes with libqt6gui6, which the libraries already bring.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-image-formats-plugins, qt6-translations-l10n")

include(CPack)
