# The game's own sound effects and tunes, made at build time by tools/media_gen and placed beside
# the executables, where the game opens them.
add_executable(tidewake-media
  ${CMAKE_SOURCE_DIR}/tools/media_gen/media_gen_main.cpp
  ${CMAKE_SOURCE_DIR}/tools/media_gen/effects.cpp
  ${CMAKE_SOURCE_DIR}/tools/media_gen/wave_writer.cpp
  ${CMAKE_SOURCE_DIR}/tools/media_gen/midi_writer.cpp
  ${CMAKE_SOURCE_DIR}/tools/media_gen/tunes.cpp)
target_include_directories(tidewake-media PRIVATE ${CMAKE_SOURCE_DIR})

set(TIDEWAKE_MEDIA_FILES
  ${CMAKE_BINARY_DIR}/SE01.WAV ${CMAKE_BINARY_DIR}/speed.WAV ${CMAKE_BINARY_DIR}/jump.WAV
  ${CMAKE_BINARY_DIR}/crash.WAV ${CMAKE_BINARY_DIR}/title.mid ${CMAKE_BINARY_DIR}/select.mid
  ${CMAKE_BINARY_DIR}/game.mid)
add_custom_command(OUTPUT ${TIDEWAKE_MEDIA_FILES}
  COMMAND tidewake-media ${CMAKE_BINARY_DIR}
  DEPENDS tidewake-media
  COMMENT "Making the game's sound effects and tunes"
  VERBATIM)
add_custom_target(tidewake_media ALL DEPENDS ${TIDEWAKE_MEDIA_FILES})
install(FILES ${TIDEWAKE_MEDIA_FILES} DESTINATION ${TIDEWAKE_INSTALL_DATADIR})
add_dependencies(tidewake tidewake_media)
add_dependencies(tidewake-headless tidewake_media)

# The tunes rendered once with FluidSynth into tunes/, which the game plays instead of
# synthesising them live; made again only when a tune changes. Without FluidSynth or the
# soundfont the build goes on and the game synthesises its tunes as it plays.
find_program(TIDEWAKE_FLUIDSYNTH fluidsynth)
set(TIDEWAKE_SOUNDFONT /usr/share/sounds/sf2/TimGM6mb.sf2 CACHE FILEPATH
  "General MIDI soundfont the tunes are rendered with")
set(TIDEWAKE_TUNES_DIR ${CMAKE_BINARY_DIR}/tunes)
if(TIDEWAKE_FLUIDSYNTH AND EXISTS ${TIDEWAKE_SOUNDFONT})
  set(TIDEWAKE_RENDERS_TUNES ON)
  add_executable(tidewake-tune-key ${CMAKE_SOURCE_DIR}/tools/media_gen/tune_key_main.cpp
    ${CMAKE_SOURCE_DIR}/platform/common/rendered_tune.cpp)
  target_include_directories(tidewake-tune-key PRIVATE ${CMAKE_SOURCE_DIR})
  set(TIDEWAKE_TUNE_FILES ${CMAKE_BINARY_DIR}/title.mid ${CMAKE_BINARY_DIR}/select.mid
    ${CMAKE_BINARY_DIR}/game.mid)
  add_custom_command(OUTPUT ${TIDEWAKE_TUNES_DIR}/rendered.txt
    COMMAND ${CMAKE_SOURCE_DIR}/tools/media_gen/render_tunes.sh $<TARGET_FILE:tidewake-tune-key>
      ${TIDEWAKE_SOUNDFONT} ${TIDEWAKE_TUNES_DIR} ${TIDEWAKE_TUNE_FILES}
    DEPENDS ${TIDEWAKE_TUNE_FILES} tidewake-tune-key
      ${CMAKE_SOURCE_DIR}/tools/media_gen/render_tunes.sh
    COMMENT "Rendering the game's tunes"
    VERBATIM)
  add_custom_target(tidewake_tunes ALL DEPENDS ${TIDEWAKE_TUNES_DIR}/rendered.txt)
  install(DIRECTORY ${TIDEWAKE_TUNES_DIR}/ DESTINATION ${TIDEWAKE_INSTALL_DATADIR}/tunes
    FILES_MATCHING PATTERN "*.flac")
else()
  set(TIDEWAKE_RENDERS_TUNES OFF)
  message(STATUS "FluidSynth or ${TIDEWAKE_SOUNDFONT} missing: the tunes will be synthesised live")
  add_custom_target(tidewake_tunes)
endif()
add_dependencies(tidewake tidewake_tunes)

# Plays each effect through the real mixer, for the captured-audio test.
add_executable(tidewake-sound-check ${CMAKE_SOURCE_DIR}/tools/media_gen/sound_check_main.cpp)
target_link_libraries(tidewake-sound-check PRIVATE tidewake_game tidewake_platform_sdl)
add_dependencies(tidewake-sound-check tidewake_media)

if(NOT DEFINED TIDEWAKE_TESTS OR TIDEWAKE_TESTS)
  # The real game and the real mixer, captured through SDL's disk audio driver; skipped where
  # sox is missing.
  add_test(NAME sound.real_audio
    COMMAND ${CMAKE_SOURCE_DIR}/tests/sound_real_audio.sh $<TARGET_FILE:tidewake>
      $<TARGET_FILE:tidewake-sound-check>)
  set_tests_properties(sound.real_audio PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 90)
endif()

# Start-up and tune opening through the real mixer (bench/audio_bench.cpp also runs, with the
# headless platform, inside tidewake_bench).
if(NOT DEFINED TIDEWAKE_BENCH OR TIDEWAKE_BENCH)
  find_package(benchmark QUIET)
  if(benchmark_FOUND)
    add_executable(tidewake_audio_bench ${CMAKE_SOURCE_DIR}/bench/audio_bench.cpp)
    target_compile_definitions(tidewake_audio_bench PRIVATE TIDEWAKE_REAL_AUDIO=1)
    target_link_libraries(tidewake_audio_bench PRIVATE tidewake_game tidewake_platform_sdl
      benchmark::benchmark benchmark::benchmark_main)
    add_dependencies(tidewake_audio_bench tidewake_media)
  endif()
endif()
