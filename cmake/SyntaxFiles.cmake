# The statement reference's data files (SYNTAX.DAT, SYNTAX2.IDX, SYNTAX2.RND)
# are generated from the readable UTF-8 source in data/reference/ and put
# beside the executable, where the help windows look for them; the
# installation puts them in share/korvelin (CMakeLists.txt).
find_package(Iconv REQUIRED)
add_executable(syntax_file_generator ${PROJECT_SOURCE_DIR}/tools/GenerateSyntaxFiles.cpp)
target_link_libraries(syntax_file_generator PRIVATE Iconv::Iconv)

set(SYNTAX_SOURCES ${PROJECT_SOURCE_DIR}/data/reference/STATEMENTS.txt
                   ${PROJECT_SOURCE_DIR}/data/reference/FUNCTIONS.txt)
set(SYNTAX_FILES ${CMAKE_BINARY_DIR}/SYNTAX.DAT ${CMAKE_BINARY_DIR}/SYNTAX2.IDX
                 ${CMAKE_BINARY_DIR}/SYNTAX2.RND)
add_custom_command(
  OUTPUT ${SYNTAX_FILES}
  COMMAND syntax_file_generator ${SYNTAX_SOURCES} ${CMAKE_BINARY_DIR}
  DEPENDS syntax_file_generator ${SYNTAX_SOURCES}
  COMMENT "Generating the statement reference files")
add_custom_target(syntax_files ALL DEPENDS ${SYNTAX_FILES})
add_dependencies(korvelin syntax_files)
