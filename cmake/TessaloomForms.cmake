# Form descriptions compiled into a Windows program as resources.
#
#   tessaloom_form_resources(<target> <file.form>...)
#
# Each description becomes an RCDATA resource named after the class of the
# form it describes (the class on its first object line, "MainForm: TMainForm"
# gives TMAINFORM), which is how the form's class finds it when it is created
# (FormResource.h). The class is read when CMake configures; editing a
# description makes CMake look again.
function(tessaloom_form_resources target)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_forms.rc)
  set(text "")
  set(seen "")
  set(paths "")
  foreach(form ${ARGN})
    get_filename_component(path ${form} ABSOLUTE)
    list(APPEND paths ${path})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${path})
    file(STRINGS ${path} headers REGEX "^[ \t]*[A-Za-z_][A-Za-z0-9_]*[ \t]*:[ \t]*[A-Za-z_][A-Za-z0-9_]*[ \t]*(//.*)?$" LIMIT_COUNT 1)
    if(NOT headers MATCHES ":[ \t]*([A-Za-z_][A-Za-z0-9_]*)")
      message(FATAL_ERROR "${path}: no form object line (Name: TClass) found")
    endif()
    string(TOUPPER ${CMAKE_MATCH_1} class)
    if(class IN_LIST seen)
      message(FATAL_ERROR "${path}: a second description of ${CMAKE_MATCH_1} in ${target}")
    endif()
    list(APPEND seen ${class})
    string(APPEND text "${class} RCDATA \"${path}\"\n")
  endforeach()
  file(CONFIGURE OUTPUT ${rc} CONTENT "${text}")
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${paths}")
  target_sources(${target} PRIVATE ${rc})
endfunction()
