# Makes the key scripts the web build is compared with the native runner on (tests/web/).
add_executable(tidewake-keyscript ${CMAKE_SOURCE_DIR}/tools/web/key_script_main.cpp)
target_link_libraries(tidewake-keyscript PRIVATE tidewake_game tidewake_platform_headless)
