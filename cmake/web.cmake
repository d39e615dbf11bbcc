# The browser build: the same game on platform/web, and the runner under node on the headless
# platform, both built by emscripten (tools/web.sh). Included by the top CMakeLists.txt.

file(GLOB GAME_SOURCES CONFIGURE_DEPENDS
  base/*.cpp world/*.cpp overlay/*.cpp
  shell/*.cpp media/*.cpp render/*.cpp race/*.cpp course/*.cpp screens/*.cpp)
add_library(tidewake_game STATIC ${GAME_SOURCES})
target_include_directories(tidewake_game PUBLIC ${CMAKE_SOURCE_DIR})

# What both web programs share with the desktop: BMP reading, code page 932, files, blits.
add_library(tidewake_platform_common STATIC
  platform/common/nearest_palette.cpp platform/common/cp932.cpp platform/common/files_posix.cpp
  platform/common/transparent_blit.cpp platform/web/web_player_folders.cpp
  platform/web/no_bitmaps.cpp)
target_include_directories(tidewake_platform_common PUBLIC ${CMAKE_SOURCE_DIR})

# ---- The runner under node: real files through node (NODERAWFS), no fonts, so no text. ----------
add_executable(tidewake-headless app/headless_main.cpp app/runner_trace.cpp
  platform/headless/headless_platform.cpp platform/headless/headless_audio.cpp
  platform/headless/png_writer.cpp platform/headless/runner_options.cpp
  platform/web/no_text.cpp platform/web/zlib_stored/stored_deflate.cpp)
target_include_directories(tidewake-headless PRIVATE ${CMAKE_SOURCE_DIR}/platform/web/zlib_stored)
target_link_libraries(tidewake-headless PRIVATE tidewake_game tidewake_platform_common)
target_link_options(tidewake-headless PRIVATE -sNODERAWFS=1 -sWASM_ASYNC_COMPILATION=0
  -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1 -sTOTAL_STACK=1048576)
