# The browser build: the same game on platform/web, and the runner under node on the headless
# platform, both built by emscripten (tools/web.sh). Included by the top CMakeLists.txt.

include(${CMAKE_SOURCE_DIR}/cmake/game_sources.cmake)

# What both web programs share with the desktop: BMP reading, code page 932, files, blits.
add_library(tidewake_platform_common STATIC
  platform/common/nearest_palette.cpp platform/common/cp932.cpp platform/common/files_posix.cpp
  platform/common/transparent_blit.cpp platform/common/local_time.cpp
  platform/web/no_bitmaps.cpp)
target_include_directories(tidewake_platform_common PUBLIC ${CMAKE_SOURCE_DIR})

# ---- The runner under node: real files through node (NODERAWFS), no fonts, so no text. ----------
add_executable(tidewake-headless app/headless_main.cpp app/runner_trace.cpp app/replay_verify.cpp
  platform/headless/headless_platform.cpp platform/headless/headless_audio.cpp
  platform/headless/png_writer.cpp platform/headless/runner_options.cpp
  platform/headless/executable_folder.cpp platform/web/no_text.cpp platform/common/player_folders.cpp
  platform/web/zlib_stored/stored_deflate.cpp)
target_include_directories(tidewake-headless PRIVATE ${CMAKE_SOURCE_DIR}/platform/web/zlib_stored)
include(${CMAKE_SOURCE_DIR}/cmake/shipped_stages.cmake)
target_link_libraries(tidewake-headless PRIVATE tidewake_game tidewake_platform_common)
target_link_options(tidewake-headless PRIVATE -sNODERAWFS=1 -sWASM_ASYNC_COMPILATION=0
  -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1 -sTOTAL_STACK=1048576
  --pre-js ${CMAKE_SOURCE_DIR}/platform/web/node_environment.js)
set_property(TARGET tidewake-headless APPEND PROPERTY LINK_DEPENDS
  ${CMAKE_SOURCE_DIR}/platform/web/node_environment.js)

# ---- The page: build-web/web/ holds everything it loads. --------------------------------------
set(WEB_DIR ${CMAKE_BINARY_DIR}/web)
file(GLOB WEB_PLATFORM_SOURCES CONFIGURE_DEPENDS platform/web/web_*.cpp)
add_executable(tidewake app/web_main.cpp ${WEB_PLATFORM_SOURCES}
  platform/headless/runner_options.cpp tools/stage/stage_check.cpp)
target_link_libraries(tidewake PRIVATE tidewake_game tidewake_platform_common)
set_target_properties(tidewake PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${WEB_DIR})
# The game's loop waits by sleeping; asyncify turns each sleep into a return to the browser.
target_link_options(tidewake PRIVATE -sASYNCIFY=1 -sASYNCIFY_STACK_SIZE=65536
  -sALLOW_MEMORY_GROWTH=1 -sFORCE_FILESYSTEM=1 -sEXIT_RUNTIME=0
  "-sEXPORTED_FUNCTIONS=['_main','_malloc','_free','_tw_set_key','_tw_push_event','_tw_check_stage','_tw_play_replay','_tw_file_limit']"
  "-sEXPORTED_RUNTIME_METHODS=['FS','allocateUTF8','UTF8ToString','addRunDependency','removeRunDependency']"
  --js-library ${CMAKE_SOURCE_DIR}/platform/web/page/library.js)
set_property(TARGET tidewake APPEND PROPERTY LINK_DEPENDS
  ${CMAKE_SOURCE_DIR}/platform/web/page/library.js)

# ---- The course editor: the stage reader, writer and checker and the course world, no game loop.
file(GLOB EDITOR_SOURCES CONFIGURE_DEPENDS tools/editor/*.cpp)
add_executable(tidewake-editor app/editor_main.cpp ${EDITOR_SOURCES} tools/stage/stage_check.cpp
  platform/headless/headless_platform.cpp platform/headless/headless_audio.cpp
  platform/web/no_text.cpp platform/common/player_folders.cpp)
target_link_libraries(tidewake-editor PRIVATE tidewake_game tidewake_platform_common)
set_target_properties(tidewake-editor PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${WEB_DIR})
target_link_options(tidewake-editor PRIVATE -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=0
  -sMODULARIZE=1 -sEXPORT_NAME=TideWakeEditorModule -sENVIRONMENT=web
  "-sEXPORTED_FUNCTIONS=['_main','_malloc','_free','_tw_editor_open','_tw_editor_open_new','_tw_editor_course','_tw_editor_set_numbers','_tw_editor_set_text','_tw_editor_write','_tw_editor_written_data','_tw_editor_written_size','_tw_editor_error','_tw_editor_written_lines','_tw_editor_check','_tw_editor_render','_tw_editor_palette']"
  "-sEXPORTED_RUNTIME_METHODS=['UTF8ToString','allocateUTF8','HEAPU8','HEAP32']")

# The sound effects and tunes come from our media generator, built for this machine.
set(HOST_MEDIA ${CMAKE_BINARY_DIR}/host/tidewake-media)
set(MEDIA_SOURCES tools/media_gen/media_gen_main.cpp tools/media_gen/effects.cpp
  tools/media_gen/wave_writer.cpp tools/media_gen/midi_writer.cpp tools/media_gen/tunes.cpp)
list(TRANSFORM MEDIA_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)
add_custom_command(OUTPUT ${HOST_MEDIA}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
  COMMAND c++ -std=c++20 -O2 -I${CMAKE_SOURCE_DIR} ${MEDIA_SOURCES} -o ${HOST_MEDIA}
  DEPENDS ${MEDIA_SOURCES}
  COMMENT "Building the media generator for this machine" VERBATIM)

set(WEB_MEDIA ${WEB_DIR}/SE01.WAV ${WEB_DIR}/speed.WAV ${WEB_DIR}/jump.WAV ${WEB_DIR}/crash.WAV)
# The runner under node looks for them beside its script, as the native one does beside itself.
set(RUNNER_MEDIA ${CMAKE_BINARY_DIR}/SE01.WAV ${CMAKE_BINARY_DIR}/speed.WAV
  ${CMAKE_BINARY_DIR}/jump.WAV ${CMAKE_BINARY_DIR}/crash.WAV ${CMAKE_BINARY_DIR}/title.mid
  ${CMAKE_BINARY_DIR}/select.mid ${CMAKE_BINARY_DIR}/game.mid)
set(WEB_TUNES ${WEB_DIR}/title.ogg ${WEB_DIR}/select.ogg ${WEB_DIR}/game.ogg)
set(SOUNDFONT /usr/share/sounds/sf2/TimGM6mb.sf2)
add_custom_command(OUTPUT ${WEB_MEDIA} ${WEB_TUNES} ${RUNNER_MEDIA}
  COMMAND ${HOST_MEDIA} ${CMAKE_BINARY_DIR}/host
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/host/SE01.WAV
    ${CMAKE_BINARY_DIR}/host/speed.WAV ${CMAKE_BINARY_DIR}/host/jump.WAV
    ${CMAKE_BINARY_DIR}/host/crash.WAV ${WEB_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/host/SE01.WAV
    ${CMAKE_BINARY_DIR}/host/speed.WAV ${CMAKE_BINARY_DIR}/host/jump.WAV
    ${CMAKE_BINARY_DIR}/host/crash.WAV ${CMAKE_BINARY_DIR}/host/title.mid
    ${CMAKE_BINARY_DIR}/host/select.mid ${CMAKE_BINARY_DIR}/host/game.mid ${CMAKE_BINARY_DIR}
  COMMAND ${CMAKE_SOURCE_DIR}/tools/web/render_tune.sh ${SOUNDFONT}
    ${CMAKE_BINARY_DIR}/host/title.mid ${WEB_DIR}/title.ogg
  COMMAND ${CMAKE_SOURCE_DIR}/tools/web/render_tune.sh ${SOUNDFONT}
    ${CMAKE_BINARY_DIR}/host/select.mid ${WEB_DIR}/select.ogg
  COMMAND ${CMAKE_SOURCE_DIR}/tools/web/render_tune.sh ${SOUNDFONT}
    ${CMAKE_BINARY_DIR}/host/game.mid ${WEB_DIR}/game.ogg
  DEPENDS ${HOST_MEDIA} ${CMAKE_SOURCE_DIR}/tools/web/render_tune.sh
  COMMENT "Making the page's sound effects and tunes" VERBATIM)

# The page, its courses (with list.txt) and the font cut down to the characters the game can show.
file(GLOB SHIPPED_COURSES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/stage/*.dat)
set(IPA_FONT /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf)
set(PAGE_FILES index.html page.js stage_store.js dropped_files.js
  picture.js text.js sound.js)
# The editor's page beside the game's: it shares the course store and the dropped-file reader.
file(GLOB EDITOR_PAGE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/web/editor/*)
list(TRANSFORM PAGE_FILES PREPEND ${CMAKE_SOURCE_DIR}/platform/web/page/ OUTPUT_VARIABLE PAGE_SOURCES)
list(TRANSFORM PAGE_FILES PREPEND ${WEB_DIR}/ OUTPUT_VARIABLE PAGE_OUTPUTS)
add_custom_command(OUTPUT ${PAGE_OUTPUTS} ${WEB_DIR}/stage/list.txt
    ${WEB_DIR}/ipag-subset.woff2 ${WEB_DIR}/IPA_Font_License.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${PAGE_SOURCES} ${WEB_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${EDITOR_PAGE_SOURCES} ${WEB_DIR}
  COMMAND ${CMAKE_SOURCE_DIR}/tools/web/stage_folder.sh ${WEB_DIR}/stage ${SHIPPED_COURSES}
  COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/web/font_subset.py ${IPA_FONT}
    ${WEB_DIR}/ipag-subset.woff2 ${CMAKE_SOURCE_DIR}/media/japanese_texts.h ${SHIPPED_COURSES}
  COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/fonts-ipafont-gothic/copyright
    ${WEB_DIR}/IPA_Font_License.txt
  DEPENDS ${PAGE_SOURCES} ${EDITOR_PAGE_SOURCES} ${SHIPPED_COURSES}
    ${CMAKE_SOURCE_DIR}/tools/web/stage_folder.sh ${CMAKE_SOURCE_DIR}/tools/web/font_subset.py
    ${CMAKE_SOURCE_DIR}/media/japanese_texts.h
  COMMENT "Putting the page together" VERBATIM)
add_custom_target(tidewake_page ALL DEPENDS ${WEB_MEDIA} ${WEB_TUNES} ${RUNNER_MEDIA}
  ${WEB_DIR}/index.html)
