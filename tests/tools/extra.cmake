# The ddb command and SQL view tests run on files the example writes; the paths of the programs
# and of the views come in as compile definitions.
target_compile_definitions(ddb_tools_tests PRIVATE DDB_COMMAND="$<TARGET_FILE:ddb_command>"
                                                   DDB_EXAMPLE="$<TARGET_FILE:ddb_example>"
                                                   DDB_VIEWS_SQL="${PROJECT_SOURCE_DIR}/doc/ddb-views.sql")
find_package(nlohmann_json 3 CONFIG REQUIRED)
target_link_libraries(ddb_tools_tests PRIVATE nlohmann_json::nlohmann_json)
add_dependencies(ddb_tools_tests ddb_command ddb_example)
