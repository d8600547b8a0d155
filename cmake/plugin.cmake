# add_plugin(NAME DEF_FILE SOURCES... LIBS ...): a plug-in library that exports only `main`,
# with a test of its export and import tables in the Windows builds.
# On Windows the module-definition file maps the export name onto the C entry function; natively
# the library is a shared object for the sanitizer builds of the integration tests.
# Resource scripts (.rc) among the sources are compiled in the Windows builds and left out elsewhere.
function(add_plugin name def_file)
  cmake_parse_arguments(P "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT WIN32)
    list(FILTER P_SOURCES EXCLUDE REGEX "\\.rc$")
  endif()
  add_library(${name} SHARED ${P_SOURCES})
  target_link_libraries(${name} PRIVATE project_options ${P_LIBS})
  set_target_properties(${name} PROPERTIES PREFIX "")
  if(WIN32)
    target_sources(${name} PRIVATE ${def_file})
    # What a bare Windows needs: exactly one export, `main`, and only system DLLs imported.
    add_test(NAME ${name}_dll_tables
             COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-dll-tables ${CMAKE_OBJDUMP}
                     $<TARGET_FILE:${name}>)
  else()
    set_target_properties(${name} PROPERTIES CXX_VISIBILITY_PRESET hidden)
  endif()
endfunction()
