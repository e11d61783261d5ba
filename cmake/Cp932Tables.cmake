# The CP932 codec's tables are generated at build time from the host's iconv,
# which follows Windows code page 932 (tools/GenerateCp932Tables.cpp checks
# that it does). The output is a header of constant arrays that only
# values/Cp932.cpp includes.
find_package(Iconv REQUIRED)
add_executable(cp932_table_generator ${PROJECT_SOURCE_DIR}/tools/GenerateCp932Tables.cpp)
target_link_libraries(cp932_table_generator PRIVATE Iconv::Iconv)

set(CP932_TABLES ${CMAKE_BINARY_DIR}/generated/Cp932Tables.h)
add_custom_command(
  OUTPUT ${CP932_TABLES}
  COMMAND cp932_table_generator ${CP932_TABLES}
  DEPENDS cp932_table_generator
  COMMENT "Generating the CP932 tables from iconv")
target_sources(korvelin_engine PRIVATE ${CP932_TABLES})
