# The stage author's tool: checks stage files and draws their courses.
file(GLOB STAGE_TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/stage/*.cpp)
add_library(tidewake_stage_tools STATIC ${STAGE_TOOL_SOURCES})
target_link_libraries(tidewake_stage_tools PUBLIC tidewake_game tidewake_platform_headless)

add_executable(tidewake-stage ${CMAKE_SOURCE_DIR}/app/stage_tool_main.cpp)
target_link_libraries(tidewake-stage PRIVATE tidewake_stage_tools)
install(TARGETS tidewake-stage RUNTIME DESTINATION ${TIDEWAKE_INSTALL_BINDIR})
