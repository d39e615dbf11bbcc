# The stage author's tool: checks stage files and draws their courses.
file(GLOB STAGE_TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/stage/*.cpp)
add_library(tidewake_stage_tools STATIC ${STAGE_TOOL_SOURCES})
target_link_libraries(tidewake_stage_tools PUBLIC tidewake_game tidewake_platform_headless)

add_executable(tidewake-stage ${CMAKE_SOURCE_DIR}/app/stage_tool_main.cpp)
target_link_libraries(tidewake-stage PRIVATE tidewake_stage_tools)

# The tests check the checker itself and run the tool; their target is made after this file.
function(tidewake_stage_tools_for_tests)
  if(TARGET tidewake_tests)
    target_link_libraries(tidewake_tests PRIVATE tidewake_stage_tools)
    add_dependencies(tidewake_tests tidewake-stage)
  endif()
endfunction()
cmake_language(DEFER CALL tidewake_stage_tools_for_tests)
