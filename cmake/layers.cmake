# The game: one static library per folder of layers.txt, each linking only the layers before it
# and the platform's interface, so that a call pointing up the layers fails to link.
#
# The globals of every state header (FOLDER/*_state.cpp) form a library of their own under all
# the layers: any layer may read any state (the owner check decides who writes), and reading
# another layer's state needs no link to that layer.
file(STRINGS ${CMAKE_SOURCE_DIR}/layers.txt TIDEWAKE_LAYER_LINES REGEX "^[a-z_]+$")
set(TIDEWAKE_LAYERS ${TIDEWAKE_LAYER_LINES} CACHE INTERNAL "The game's folders, lowest first")
set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/layers.txt)

set(state_sources "")
foreach(layer ${TIDEWAKE_LAYERS})
  file(GLOB layer_state CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${layer}/*_state.cpp)
  list(APPEND state_sources ${layer_state})
endforeach()
add_library(tidewake_state STATIC ${state_sources})
target_link_libraries(tidewake_state PUBLIC tidewake_platform)

set(below tidewake_state)
foreach(layer ${TIDEWAKE_LAYERS})
  file(GLOB layer_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${layer}/*.cpp)
  list(FILTER layer_sources EXCLUDE REGEX "_state\\.cpp$")
  add_library(tidewake_${layer} STATIC ${layer_sources})
  target_link_libraries(tidewake_${layer} PUBLIC ${below})
  set(below tidewake_${layer})

  # The link check: every object of the layer, against the layers before it and a platform
  # backend only. A call to a function of a later layer is an undefined reference here.
  if(NOT EMSCRIPTEN)
    add_executable(tidewake_${layer}_link_check ${CMAKE_SOURCE_DIR}/cmake/link_check_main.cpp)
    target_link_libraries(tidewake_${layer}_link_check PRIVATE
      "$<LINK_LIBRARY:WHOLE_ARCHIVE,tidewake_${layer}>")
    tidewake_backend(tidewake_${layer}_link_check tidewake_platform_headless)
    set_target_properties(tidewake_${layer}_link_check PROPERTIES
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/link_check)
  endif()
endforeach()

# The whole game, for the programs: the top layer links everything below it.
add_library(tidewake_game INTERFACE)
target_link_libraries(tidewake_game INTERFACE ${below})
