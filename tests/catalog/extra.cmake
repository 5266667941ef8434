# The catalog tests read back what the text channel writes on Fortran units, through Fortran
# helpers that open and close those units.
target_sources(ddb_catalog_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/FortranUnits.f90)
