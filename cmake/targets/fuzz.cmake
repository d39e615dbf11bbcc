# libFuzzer targets: every fuzz/NAME_fuzz.cpp becomes fuzz_NAME when the build uses clang with
# TIDEWAKE_FUZZ=ON. Seeds for fuzz_NAME live in fuzz/seeds/NAME/.
if(TIDEWAKE_FUZZ)
  file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*_fuzz.cpp)
  foreach(source ${FUZZ_SOURCES})
    get_filename_component(stem ${source} NAME_WE)
    string(REGEX REPLACE "_fuzz$" "" name ${stem})
    add_executable(fuzz_${name} ${source})
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(fuzz_${name} PRIVATE tidewake_game tidewake_platform_headless)
  endforeach()
endif()
