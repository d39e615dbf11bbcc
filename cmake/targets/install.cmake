# Installing: the three programs into bin/, and beside them in share/tidewake/ what they read:
# the sounds and tunes (with the tunes' renderings in tunes/), the shipped courses (the player's
# own copies are made from these), plus a desktop entry, an icon drawn at build time and the
# manual pages. The game finds share/tidewake/ from its own folder, so the installed tree can be
# moved as a whole. The Debian package (tools/package.sh) puts the programs into games/ and their
# data into share/games/tidewake/ instead, the other pair of folders the game looks in.
# The two folders are TIDEWAKE_INSTALL_BINDIR and TIDEWAKE_INSTALL_DATADIR (CMakeLists.txt); the
# programs, the sounds and tunes and the tunes' renderings are installed beside their targets,
# the rest here.

# The icon, drawn by our own line drawing.
add_executable(tidewake-icon ${CMAKE_SOURCE_DIR}/tools/icon/icon_main.cpp)
target_link_libraries(tidewake-icon PRIVATE tidewake_game tidewake_platform_headless)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/tidewake.png
  COMMAND tidewake-icon ${CMAKE_BINARY_DIR}/tidewake.png
  DEPENDS tidewake-icon
  COMMENT "Drawing the desktop icon"
  VERBATIM)
add_custom_target(tidewake_icon ALL DEPENDS ${CMAKE_BINARY_DIR}/tidewake.png)

include(${CMAKE_SOURCE_DIR}/cmake/shipped_stages.cmake)

install(FILES ${TIDEWAKE_SHIPPED_STAGES} DESTINATION ${TIDEWAKE_INSTALL_DATADIR}/stage)
install(FILES ${CMAKE_BINARY_DIR}/tidewake.png DESTINATION share/icons/hicolor/64x64/apps)
install(FILES ${CMAKE_SOURCE_DIR}/tools/install/tidewake.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/tools/install/man/tidewake.6
  ${CMAKE_SOURCE_DIR}/tools/install/man/tidewake-headless.6
  ${CMAKE_SOURCE_DIR}/tools/install/man/tidewake-stage.6
  DESTINATION share/man/man6)
