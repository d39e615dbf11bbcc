# What the build takes from the system, found once here. Every path is a cache entry, so a user
# whose files sit elsewhere can point the build at them (cmake -DTIDEWAKE_SOUNDFONT=...).

# The build's own scripts (font subsetting, house checks) run on Python 3. The files and tools
# below are this machine's, also in the browser build, whose toolchain looks for its own files
# in emscripten's system root only.
find_package(Python3 COMPONENTS Interpreter)

# The tunes are rendered with FluidSynth and a General MIDI soundfont: once at build time for the
# desktop (without them the game synthesises its tunes as it plays), always for the page.
find_program(TIDEWAKE_FLUIDSYNTH fluidsynth NO_CMAKE_FIND_ROOT_PATH)
find_file(TIDEWAKE_SOUNDFONT NAMES TimGM6mb.sf2 PATHS /usr/share/sounds/sf2 NO_CMAKE_FIND_ROOT_PATH
  DOC "General MIDI soundfont the tunes are rendered with")

if(EMSCRIPTEN)
  # The page's folder: everything it loads, ready for any static web server.
  set(TIDEWAKE_WEB_DIR ${CMAKE_BINARY_DIR}/web)
  # The page draws its texts with IPAGothic cut down to the game's characters, and ships the
  # font's licence beside it.
  find_file(TIDEWAKE_IPA_FONT NAMES ipag.ttf PATHS /usr/share/fonts/opentype/ipafont-gothic
    NO_CMAKE_FIND_ROOT_PATH DOC "IPAGothic, which the page's font is cut from")
  find_file(TIDEWAKE_IPA_FONT_LICENSE NAMES copyright PATHS /usr/share/doc/fonts-ipafont-gothic
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH DOC "IPAGothic's licence, shipped beside the page's font")
  find_program(TIDEWAKE_OGGENC oggenc NO_CMAKE_FIND_ROOT_PATH)
  # The font is cut with fontTools (Debian's python3-fonttools and python3-brotli, which live in
  # Debian's own python3: point Python3_EXECUTABLE there when another python comes first).
  if(Python3_EXECUTABLE)
    execute_process(COMMAND ${Python3_EXECUTABLE} -c "import fontTools, brotli"
      RESULT_VARIABLE fonttools_missing OUTPUT_QUIET ERROR_QUIET)
    if(fonttools_missing)
      message(FATAL_ERROR "${Python3_EXECUTABLE} has no fontTools or brotli, which cut the page's "
        "font: install python3-fonttools and python3-brotli, or set -DPython3_EXECUTABLE to a "
        "python that has them")
    endif()
  endif()
  foreach(required Python3_EXECUTABLE TIDEWAKE_FLUIDSYNTH TIDEWAKE_SOUNDFONT TIDEWAKE_IPA_FONT
      TIDEWAKE_IPA_FONT_LICENSE TIDEWAKE_OGGENC)
    if(NOT ${required})
      message(FATAL_ERROR "The page needs ${required} (tools/setup.sh web-build installs it)")
    endif()
  endforeach()
  return()
endif()

find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(SDL2_TTF REQUIRED IMPORTED_TARGET SDL2_ttf)
pkg_check_modules(SDL2_MIXER REQUIRED IMPORTED_TARGET SDL2_mixer)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
find_package(ZLIB REQUIRED)
