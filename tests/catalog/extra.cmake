# The catalog tests read back what the text channel writes on Fortran units, through Fortran
# helpers that open and close those units.
target_sources(ddb_catalog_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/FortranUnits.f90)

# A Fortran program that interleaves its own writes with a diagnostic printed by the library on
# the same unit and checks the order of the lines in the file.
add_executable(ddb_catalog_fortran_unit
               ${CMAKE_CURRENT_LIST_DIR}/dia_FortranUnitProgram.f90
               ${CMAKE_CURRENT_LIST_DIR}/dia_FortranUnitPrinter.cc)
target_include_directories(ddb_catalog_fortran_unit PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(ddb_catalog_fortran_unit PRIVATE ddb)
add_test(NAME catalog.FortranUnit_LibraryLinesLandAmongFortranWrites
         COMMAND ddb_catalog_fortran_unit WORKING_DIRECTORY ${PROJECT_BINARY_DIR})
