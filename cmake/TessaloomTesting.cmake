# Test, fuzz and benchmark targets. Every folder declares its own with these
# functions; which of them exist depends on the preset being built.
include(CTest)

if(NOT TESSALOOM_FUZZ AND BUILD_TESTING)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_googletest EXCLUDE_FROM_ALL)
  include(GoogleTest)
endif()

# The default display slots for GUI tests: one, in the caller's own session.
if(TESSALOOM_WINDOWS)
  file(WRITE ${CMAKE_BINARY_DIR}/gui-slots.json
    "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"gui\": [{\"id\": \"1\", \"slots\": 1}]}]}\n")
endif()

# tessaloom_test(<name> SOURCES ... [LIBS ...] [GUI] [WINDOWS_ONLY] [TIMEOUT s])
# A GoogleTest binary. GUI tests need a display (the test runner provides Xvfb)
# and each holds a display slot while it runs: two GUI tests never share a
# desktop, foreground window or pointer. The slots are listed in
# gui-slots.json of the build tree (one slot unless tools/test.sh starts more).
function(tessaloom_test name)
  cmake_parse_arguments(T "GUI;WINDOWS_ONLY" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(TESSALOOM_FUZZ OR NOT BUILD_TESTING)
    return()
  endif()
  if(T_WINDOWS_ONLY AND NOT TESSALOOM_WINDOWS)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  set(props TIMEOUT ${T_TIMEOUT})
  if(T_GUI)
    list(APPEND props RESOURCE_GROUPS gui:1 LABELS gui)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${name}>
    PROPERTIES ${props})
endfunction()

# tessaloom_fuzzer(<name> SOURCES ... [LIBS ...] [SECONDS n])
# Only in the fuzz preset. CTest runs each target briefly on its seed corpus
# (the folder corpus/<name> beside the sources, when present).
function(tessaloom_fuzzer name)
  cmake_parse_arguments(F "" "SECONDS" "SOURCES;LIBS" ${ARGN})
  if(NOT TESSALOOM_FUZZ)
    return()
  endif()
  if(NOT F_SECONDS)
    set(F_SECONDS 10)
  endif()
  add_executable(${name} ${F_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  set(corpus_work ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  set(seeds ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
  set(args -max_total_time=${F_SECONDS} -rss_limit_mb=2048 -timeout=10 ${corpus_work})
  if(EXISTS ${seeds})
    list(APPEND args ${seeds})
  endif()
  add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -E make_directory ${corpus_work})
  add_test(NAME ${name}.run COMMAND ${name} ${args})
  set_tests_properties(${name}.run PROPERTIES DEPENDS ${name} TIMEOUT 300 LABELS fuzz)
endfunction()

# tessaloom_benchmark(<name> SOURCES ... [LIBS ...])
# Only in the optimised native preset; CTest runs it once with the label
# "benchmark" and the run fails when the benchmark reports a missed target.
function(tessaloom_benchmark name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT TESSALOOM_BENCHMARKS OR NOT BUILD_TESTING)
    return()
  endif()
  find_package(benchmark REQUIRED)
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS benchmark TIMEOUT 600 RUN_SERIAL TRUE)
endfunction()
