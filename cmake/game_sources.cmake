# The game itself, shared by the desktop and browser builds: every folder of game code, no
# platform headers. Included by the top CMakeLists.txt and by cmake/web.cmake.
file(GLOB GAME_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/base/*.cpp ${CMAKE_SOURCE_DIR}/world/*.cpp ${CMAKE_SOURCE_DIR}/overlay/*.cpp
  ${CMAKE_SOURCE_DIR}/shell/*.cpp ${CMAKE_SOURCE_DIR}/media/*.cpp ${CMAKE_SOURCE_DIR}/render/*.cpp
  ${CMAKE_SOURCE_DIR}/race/*.cpp ${CMAKE_SOURCE_DIR}/course/*.cpp ${CMAKE_SOURCE_DIR}/screens/*.cpp)
add_library(tidewake_game STATIC ${GAME_SOURCES})
target_include_directories(tidewake_game PUBLIC ${CMAKE_SOURCE_DIR})
