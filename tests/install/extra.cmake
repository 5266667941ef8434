# The project as its users take it: installed into a scratch prefix and used by out-of-tree
# programs through find_package (C++ and Fortran) and pkg-config, and taken in by another project
# with add_subdirectory on a machine without GoogleTest.
set(DDB_CONSUMER_ARGS -DDDB_SOURCE=${PROJECT_SOURCE_DIR} -DDDB_BUILD=${PROJECT_BINARY_DIR}
    -DCONSUMERS=${CMAKE_CURRENT_LIST_DIR} -DCXX=${CMAKE_CXX_COMPILER}
    -DLAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER})
add_test(NAME install.ConsumersBuildAgainstTheInstalledPackage
         COMMAND ${CMAKE_COMMAND} ${DDB_CONSUMER_ARGS} -DWORK=${PROJECT_BINARY_DIR}/install-test
                 -DCASE=installed -P ${CMAKE_CURRENT_LIST_DIR}/Consumers.cmake)
add_test(NAME install.AddSubdirectoryBuildsWithoutGoogleTest
         COMMAND ${CMAKE_COMMAND} ${DDB_CONSUMER_ARGS} -DWORK=${PROJECT_BINARY_DIR}/subdirectory-test
                 -DCASE=subdirectory -P ${CMAKE_CURRENT_LIST_DIR}/Consumers.cmake)
set_tests_properties(install.ConsumersBuildAgainstTheInstalledPackage
                     install.AddSubdirectoryBuildsWithoutGoogleTest PROPERTIES TIMEOUT 600)
