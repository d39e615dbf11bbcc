# tidewake-view: the wireframe world of a start grid drawn to a PNG from any camera.
add_executable(tidewake-view ${CMAKE_SOURCE_DIR}/tools/render_view/render_view_main.cpp)
target_link_libraries(tidewake-view PRIVATE tidewake_game tidewake_platform_headless)
