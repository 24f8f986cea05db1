# What `cmake --install` lays out under the prefix (/usr unless another is given): the launcher
# on the PATH, the program beside no other, the generated Resource/ tree read-only, and what a
# desktop needs (entry, icons, AppStream metadata, manual page, the Debian documentation files).
# The launcher finds the rest relative to itself, so any prefix and DESTDIR work.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX /usr CACHE PATH "Installation prefix" FORCE)
endif()
include(GNUInstallDirs)

set(POKUTAN_INSTALL_GAMESDIR games CACHE STRING "Where the launcher goes, below the prefix")
set(POKUTAN_INSTALL_PROGRAMDIR lib/games/pokutan CACHE STRING
  "Where the game's program goes, below the prefix")
set(POKUTAN_INSTALL_DATADIR share/games/pokutan CACHE STRING
  "Where the Resource/ tree goes, below the prefix")
set(POKUTAN_WEBSITE "https://pokutan.example.org/" CACHE STRING
  "The game's web site, ending in /; the AppStream screenshots are docs/*.png below it")
set(POKUTAN_MAINTAINER "POKUTAN maintainers <maintainers@users.noreply.c-seed-b7649188.example>"
  CACHE STRING "Who maintains the package: name <address>")

set(PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging/linux)
set(PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)

# The launcher reaches the program and the assets by relative paths.
file(RELATIVE_PATH LAUNCHER_TO_GAME /prefix/${POKUTAN_INSTALL_GAMESDIR}
  /prefix/${POKUTAN_INSTALL_PROGRAMDIR})
file(RELATIVE_PATH LAUNCHER_TO_DATA /prefix/${POKUTAN_INSTALL_GAMESDIR}
  /prefix/${POKUTAN_INSTALL_DATADIR})
set(LAUNCHER_PATH ${CMAKE_INSTALL_PREFIX}/${POKUTAN_INSTALL_GAMESDIR}/pokutan)
set(GAME_DIR ${CMAKE_INSTALL_PREFIX}/${POKUTAN_INSTALL_PROGRAMDIR})
set(DATA_DIR ${CMAKE_INSTALL_PREFIX}/${POKUTAN_INSTALL_DATADIR})
configure_file(${PACKAGING_DIR}/pokutan.in ${PACKAGING_OUT}/pokutan @ONLY)
configure_file(${PACKAGING_DIR}/pokutan.desktop.in ${PACKAGING_OUT}/pokutan.desktop @ONLY)
configure_file(${PACKAGING_DIR}/pokutan.metainfo.xml.in ${PACKAGING_OUT}/pokutan.metainfo.xml
  @ONLY)
configure_file(${PACKAGING_DIR}/pokutan.6 ${PACKAGING_OUT}/pokutan.6 @ONLY)
configure_file(${PACKAGING_DIR}/changelog.in ${PACKAGING_OUT}/changelog @ONLY)

# Debian wants manual pages and changelogs compressed, without a time stamp in the gzip header.
find_program(GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${PACKAGING_OUT}/pokutan.6.gz ${PACKAGING_OUT}/changelog.gz
  COMMAND ${GZIP} -9nkf pokutan.6 changelog
  DEPENDS ${PACKAGING_OUT}/pokutan.6 ${PACKAGING_OUT}/changelog
  WORKING_DIRECTORY ${PACKAGING_OUT}
  COMMENT "Compressing the manual page and the changelog"
  VERBATIM)
add_custom_target(pokutan_packaging_files ALL
  DEPENDS ${PACKAGING_OUT}/pokutan.6.gz ${PACKAGING_OUT}/changelog.gz)

set(READ_ONLY_FILE OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
set(FOLDER OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
  WORLD_EXECUTE)
install(TARGETS pokutan RUNTIME DESTINATION ${POKUTAN_INSTALL_PROGRAMDIR})
install(PROGRAMS ${PACKAGING_OUT}/pokutan DESTINATION ${POKUTAN_INSTALL_GAMESDIR})
# The build's own record in run/Resource/Binary/ stays in the build: each player has their own.
install(DIRECTORY ${POKUTAN_RUN_DIR}/Resource DESTINATION ${POKUTAN_INSTALL_DATADIR}
  FILE_PERMISSIONS ${READ_ONLY_FILE} DIRECTORY_PERMISSIONS ${FOLDER}
  PATTERN Binary EXCLUDE)
install(FILES ${PACKAGING_OUT}/pokutan.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${POKUTAN_DESKTOP_ICONS_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor
  FILE_PERMISSIONS ${READ_ONLY_FILE} DIRECTORY_PERMISSIONS ${FOLDER})
install(FILES ${PACKAGING_OUT}/pokutan.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PACKAGING_OUT}/pokutan.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PACKAGING_DIR}/copyright ${PACKAGING_OUT}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/pokutan)
