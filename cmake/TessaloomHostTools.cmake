# Generators run on the build machine. In the Windows preset they come from a
# native sub-build (hosttools/), so nothing runs under Wine while building.
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(TESSALOOM_HOST_BIN ${CMAKE_BINARY_DIR}/hosttools/bin)
  ExternalProject_Add(hosttools
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/hosttools
    BINARY_DIR ${CMAKE_BINARY_DIR}/hosttools
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")
else()
  add_subdirectory(${CMAKE_SOURCE_DIR}/hosttools ${CMAKE_BINARY_DIR}/hosttools)
  set(TESSALOOM_HOST_BIN ${CMAKE_BINARY_DIR}/hosttools/bin)
  add_custom_target(hosttools)
endif()

# tessaloom_generate(OUTPUT files... TOOL name [ARGS ...] [DEPENDS ...])
# Runs the host tool <name> to produce OUTPUT. In the Windows preset the tool is
# not a target of this build: list its sources in DEPENDS so a changed
# generator remakes its outputs.
function(tessaloom_generate)
  cmake_parse_arguments(G "" "TOOL" "OUTPUT;ARGS;DEPENDS" ${ARGN})
  if(CMAKE_CROSSCOMPILING)
    set(tool_dep hosttools)
  else()
    set(tool_dep ${G_TOOL} hosttools)
  endif()
  add_custom_command(OUTPUT ${G_OUTPUT}
    COMMAND ${TESSALOOM_HOST_BIN}/${G_TOOL} ${G_ARGS}
    DEPENDS ${tool_dep} ${G_DEPENDS}
    VERBATIM)
endfunction()
