# Data compiled into the engine from readable sources in the repository.
# The reserved-word list is also shipped as a file; the compiled-in copy is
# what the engine falls back on when the file cannot be found.
set(GEN_DIR ${CMAKE_BINARY_DIR}/generated)
file(MAKE_DIRECTORY ${GEN_DIR})
set(RESERVED_SRC ${CMAKE_SOURCE_DIR}/data/KORVELIN.DAT)
set(RESERVED_OUT ${GEN_DIR}/BuiltinReservedWords.cpp)
add_custom_command(
  OUTPUT ${RESERVED_OUT}
  COMMAND ${CMAKE_COMMAND} -DIN=${RESERVED_SRC} -DOUT=${RESERVED_OUT}
          -P ${CMAKE_SOURCE_DIR}/cmake/EmbedText.cmake
  DEPENDS ${RESERVED_SRC} ${CMAKE_SOURCE_DIR}/cmake/EmbedText.cmake
  COMMENT "Embedding the reserved-word list")
target_sources(korvelin_engine PRIVATE ${RESERVED_OUT})
