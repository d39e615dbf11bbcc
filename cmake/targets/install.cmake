# Installing: the three programs into bin/, and beside them in share/tidewake/ what they read:
# the sounds and tunes, the shipped courses (the player's own copies are made from these), plus
# a desktop entry and an icon drawn at build time. The game finds share/tidewake/ from its own
# folder, so the installed tree can be moved as a whole.

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

# The stage tool's target is made in a later file of this folder.
function(tidewake_install_programs)
  install(TARGETS tidewake tidewake-headless tidewake-stage RUNTIME DESTINATION bin)
  install(FILES ${TIDEWAKE_MEDIA_FILES} DESTINATION share/tidewake)
endfunction()
cmake_language(DEFER CALL tidewake_install_programs)
install(FILES ${TIDEWAKE_SHIPPED_STAGES} DESTINATION share/tidewake/stage)
install(FILES ${CMAKE_BINARY_DIR}/tidewake.png DESTINATION share/icons/hicolor/64x64/apps)
install(FILES ${CMAKE_SOURCE_DIR}/tools/install/tidewake.desktop DESTINATION share/applications)
