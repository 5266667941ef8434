# Installs the library (libddb.so.<major>.<minor>), the public headers, the Fortran module
# ddb_text (the compiled .mod for this compiler and its source for any other), a CMake package
# (find_package(ddb CONFIG) gives ddb::ddb) and a pkg-config file (pkg-config ddb).
include(CMakePackageConfigHelpers)

set(DDB_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/ddb)
set(DDB_FORTRAN_INSTALL_DIR ${CMAKE_INSTALL_INCLUDEDIR}/ddb/fortran)

install(TARGETS ddb EXPORT ddbTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT development
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
install(DIRECTORY include/ddb DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)
install(FILES ${DDB_FORTRAN_MODULE_DIR}/ddb_text.mod src/catalog/ddb_text.f90
  DESTINATION ${DDB_FORTRAN_INSTALL_DIR} COMPONENT development)

install(EXPORT ddbTargets NAMESPACE ddb:: DESTINATION ${DDB_CMAKE_DIR} COMPONENT development)
configure_package_config_file(cmake/ddbConfig.cmake.in ${PROJECT_BINARY_DIR}/ddbConfig.cmake
  INSTALL_DESTINATION ${DDB_CMAKE_DIR})
# Before 1.0 every minor release may change the interface.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/ddbConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/ddbConfig.cmake ${PROJECT_BINARY_DIR}/ddbConfigVersion.cmake
  DESTINATION ${DDB_CMAKE_DIR} COMPONENT development)

# The .pc file finds its prefix from where it is installed, so --prefix at install time holds.
file(RELATIVE_PATH DDB_PC_TO_PREFIX /root/${CMAKE_INSTALL_LIBDIR}/pkgconfig /root)
configure_file(cmake/ddb.pc.in ${PROJECT_BINARY_DIR}/ddb.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/ddb.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
  COMPONENT development)
