# The report tool's tests run the built program; its path comes in as a compile definition.
target_compile_definitions(ddb_tools_tests PRIVATE DDB_REPORT_PATH="$<TARGET_FILE:ddb_report>")
add_dependencies(ddb_tools_tests ddb_report)
