# Runs one consumer case (cmake -P): CASE=installed installs the build tree DDB_BUILD into
# WORK/prefix and builds and runs the find_package consumers (C++ and Fortran) and a pkg-config
# consumer; CASE=subdirectory builds the add_subdirectory consumer with GoogleTest hidden.
cmake_minimum_required(VERSION 3.25)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    string(JOIN " " command ${ARGN})
    message(FATAL_ERROR "failed (${rc}): ${command}\n${out}\n${err}")
  endif()
  set(OUT "${out}" PARENT_SCOPE)
endfunction()

function(expect_output pattern)
  if(NOT OUT MATCHES "${pattern}")
    message(FATAL_ERROR "expected output matching '${pattern}', got:\n${OUT}")
  endif()
  message(STATUS "${OUT}")
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(generator -G Ninja)
if(LAUNCHER)
  list(APPEND generator -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER}
       -DCMAKE_C_COMPILER_LAUNCHER=${LAUNCHER} -DCMAKE_Fortran_COMPILER_LAUNCHER=${LAUNCHER})
endif()

if(CASE STREQUAL "installed")
  set(prefix ${WORK}/prefix)
  run(${CMAKE_COMMAND} --install ${DDB_BUILD} --prefix ${prefix})
  foreach(installed include/ddb/ddb.h include/ddb/fortran/ddb_text.mod)
    if(NOT EXISTS ${prefix}/${installed})
      message(FATAL_ERROR "not installed: ${installed}")
    endif()
  endforeach()

  run(${CMAKE_COMMAND} -S ${CONSUMERS}/find_package -B ${WORK}/find_package ${generator}
      -DCMAKE_PREFIX_PATH=${prefix})
  run(${CMAKE_COMMAND} --build ${WORK}/find_package)
  run(${WORK}/find_package/cxx_consumer ${WORK}/cxx.ddb)
  expect_output("read back 2 steps, last \"Step-2\"")
  run(${WORK}/find_package/fortran_consumer ${WORK}/fortran.txt)
  expect_output("fortran consumer: 4 records as written")
  run(${prefix}/bin/ddb catalog TOO_MANY_ATTEMPTS)
  expect_output("0x4A0A0040: Too many attempts")

  # pkg-config: one compiler command line, as a Makefile would write it.
  file(GLOB_RECURSE pc_file ${prefix}/*/ddb.pc)
  get_filename_component(pc_dir "${pc_file}" DIRECTORY)
  set(ENV{PKG_CONFIG_PATH} ${pc_dir})
  run(pkg-config --cflags --libs ddb)
  string(STRIP "${OUT}" flags)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  run(${CXX} -std=c++17 ${CONSUMERS}/find_package/cxx_consumer.cpp ${flags} -o ${WORK}/pc_consumer)
  set(ENV{LD_LIBRARY_PATH} ${pc_dir}/..)
  run(${WORK}/pc_consumer ${WORK}/pc.ddb)
  expect_output("read back 2 steps")
elseif(CASE STREQUAL "subdirectory")
  # A build type of no flags (no optimisation, no debug information): the case checks that the
  # project builds and links as a subproject, and builds the library a second time to do so.
  run(${CMAKE_COMMAND} -S ${CONSUMERS}/subdirectory -B ${WORK}/build ${generator}
      -DCMAKE_BUILD_TYPE=Unoptimized -DDDB_SOURCE=${DDB_SOURCE}
      -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
      -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON)
  run(${CMAKE_COMMAND} --build ${WORK}/build -j2)
  run(${WORK}/build/cxx_consumer ${WORK}/sub.ddb)
  expect_output("read back 2 steps")
  if(EXISTS ${WORK}/build/ddb/examples OR EXISTS ${WORK}/build/ddb/ddb_catalog_tests)
    message(FATAL_ERROR "a subproject builds no examples and no tests")
  endif()
else()
  message(FATAL_ERROR "unknown CASE '${CASE}'")
endif()
