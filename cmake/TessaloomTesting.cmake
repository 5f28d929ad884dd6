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

# tessaloom_fuzzer(<name> SOURCES ... [LIBS ...] [SEEDS_FROM tool] [SECONDS n])
# Only in the fuzz preset. The committed seeds (the folder corpus/<name>
# beside the sources, when present) are copied into <name>-corpus of the build
# tree at every build, where the program SEEDS_FROM (a target) adds the seeds
# it writes; the fuzzer only ever runs from that copy, so what it adds stays
# in the build. Crash files go to <name>-crashes of the build tree
# (cmake/FuzzerDefaults.cpp; the target names the folder when it starts).
# CTest replays every committed seed on its own first, then fuzzes for
# SECONDS from the copy.
function(tessaloom_fuzzer name)
  cmake_parse_arguments(F "" "SECONDS;SEEDS_FROM" "SOURCES;LIBS" ${ARGN})
  if(NOT TESSALOOM_FUZZ)
    return()
  endif()
  if(NOT F_SECONDS)
    set(F_SECONDS 10)
  endif()
  set(corpus_work ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  set(crashes ${CMAKE_CURRENT_BINARY_DIR}/${name}-crashes)
  set(seeds ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})

  add_executable(${name} ${F_SOURCES} ${PROJECT_SOURCE_DIR}/cmake/FuzzerDefaults.cpp)
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_compile_definitions(${name} PRIVATE TESSALOOM_FUZZ_CRASHES="${crashes}")

  file(GLOB seed_files CONFIGURE_DEPENDS ${seeds}/*)
  if(seed_files)
    set(copy_seeds ${CMAKE_COMMAND} -E copy_directory ${seeds} ${corpus_work})
  else()
    set(copy_seeds ${CMAKE_COMMAND} -E make_directory ${corpus_work})
  endif()
  set(write_seeds)
  if(F_SEEDS_FROM)
    set(write_seeds COMMAND ${F_SEEDS_FROM} ${corpus_work})
  endif()
  add_custom_target(${name}_corpus ALL COMMAND ${copy_seeds} ${write_seeds} VERBATIM)
  add_dependencies(${name} ${name}_corpus)

  add_test(NAME ${name}.corpus COMMAND ${copy_seeds})
  set_tests_properties(${name}.corpus PROPERTIES FIXTURES_SETUP ${name}_corpus LABELS fuzz)
  if(F_SEEDS_FROM)
    add_dependencies(${name}_corpus ${F_SEEDS_FROM})
    add_test(NAME ${name}.seeds COMMAND ${F_SEEDS_FROM} ${corpus_work})
    set_tests_properties(${name}.seeds PROPERTIES FIXTURES_SETUP ${name}_corpus DEPENDS ${name}.corpus LABELS fuzz)
  endif()
  if(seed_files)
    # Each seed as a file of its own: libFuzzer runs exactly these and stops,
    # and a seed that fails is named.
    add_test(NAME ${name}.replay COMMAND ${name} -rss_limit_mb=2048 -timeout=10 ${seed_files})
    set_tests_properties(${name}.replay PROPERTIES TIMEOUT 300 LABELS fuzz)
  endif()
  add_test(NAME ${name}.run COMMAND ${name} -max_total_time=${F_SECONDS} -rss_limit_mb=2048 -timeout=10 ${corpus_work})
  set_tests_properties(${name}.run PROPERTIES FIXTURES_REQUIRED ${name}_corpus TIMEOUT 300 LABELS fuzz)
  if(seed_files)
    set_tests_properties(${name}.run PROPERTIES DEPENDS ${name}.replay)
  endif()
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
