# The course editor's side of the game code (the browser's editor module links the same files):
# built natively too, so that the tests check it.
file(GLOB EDITOR_TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/editor/*.cpp)
add_library(tidewake_editor_tools STATIC ${EDITOR_TOOL_SOURCES})
target_link_libraries(tidewake_editor_tools PUBLIC tidewake_stage_tools tidewake_game
  tidewake_platform_headless)
