# Source lists by convention: *_win.cpp builds only for Windows, *_posix.cpp only
# natively; everything else in a folder builds everywhere.
function(qm_sources out)
  set(result)
  foreach(dir ${ARGN})
    file(GLOB files CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.c)
    foreach(f ${files})
      if(f MATCHES "_win\\.cpp$" AND NOT WIN32)
        continue()
      endif()
      if(f MATCHES "_posix\\.cpp$" AND WIN32)
        continue()
      endif()
      list(APPEND result ${f})
    endforeach()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# A static library of the portable core from the given folders; an interface
# library while a folder holds no sources yet, so dependants link either way.
function(qm_core_library name)
  cmake_parse_arguments(L "" "" "DIRS;LIBS" ${ARGN})
  qm_sources(srcs ${L_DIRS})
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_link_libraries(${name} PUBLIC ${L_LIBS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${L_LIBS})
  endif()
endfunction()

# One test program per folder of tests/. Natively every case is its own CTest
# test; under Wine one program is one test, since discovery would start Wine
# at build time. PROPERTIES go to every test of the program (fixtures, say).
function(qm_add_test_program name)
  cmake_parse_arguments(T "" "" "DIRS;LIBS;PROPERTIES" ${ARGN})
  qm_sources(srcs ${T_DIRS})
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${T_LIBS} qm_test_support GTest::gtest_main)
  # GoogleTest's header is most of a test file's compile time: parsed once
  # per program instead of once per file.
  target_precompile_headers(${name} PRIVATE <gtest/gtest.h>)
  set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  if(WIN32)
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
    if(T_PROPERTIES)
      set_tests_properties(${name} PROPERTIES ${T_PROPERTIES})
    endif()
  else()
    # Each case a test of its own for `make test` (a failure names it), and the
    # program again in a few shards for `make check`: a process per shard
    # saves the start-up of a sanitized binary per case, most of the time,
    # and shards keep both cores busy to the end.
    gtest_discover_tests(${name} TEST_PREFIX "${name}." WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
                         DISCOVERY_TIMEOUT 30 PROPERTIES LABELS case ${T_PROPERTIES})
    set(shards 4)
    math(EXPR last "${shards} - 1")
    foreach(shard RANGE ${last})
      add_test(NAME ${name}/${shard} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
      set_tests_properties(${name}/${shard} PROPERTIES LABELS program ${T_PROPERTIES}
                           ENVIRONMENT "GTEST_TOTAL_SHARDS=${shards};GTEST_SHARD_INDEX=${shard}")
    endforeach()
  endif()
endfunction()
