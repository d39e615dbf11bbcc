# The shipped courses beside the build tree's programs too, so that a game started from a folder
# without courses fills the player's stage folder from them, as the installed game does.
file(GLOB TIDEWAKE_SHIPPED_STAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/stage/*.dat)
set(TIDEWAKE_BUILD_STAGES "")
foreach(stage ${TIDEWAKE_SHIPPED_STAGES})
  get_filename_component(name ${stage} NAME)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/stage/${name}
    COMMAND ${CMAKE_COMMAND} -E copy ${stage} ${CMAKE_BINARY_DIR}/stage/${name}
    DEPENDS ${stage}
    VERBATIM)
  list(APPEND TIDEWAKE_BUILD_STAGES ${CMAKE_BINARY_DIR}/stage/${name})
endforeach()
add_custom_target(tidewake_shipped_stages ALL DEPENDS ${TIDEWAKE_BUILD_STAGES})
