# The toolkit core's tests. The window-free rules run natively on the headless window system
# (under the sanitizers); the drawing, window, input and drop tests run in the Windows builds
# under wine on a virtual display.
if(NOT WIN32)
  add_project_test(gui_core_rules_tests
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/frame_rules_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/gui_editor_rules_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/drop_rules_test.cpp
    LIBS framework_gui plugin_host)
  return()
endif()

add_library(gui_test_support STATIC ${PROJECT_SOURCE_DIR}/tests/gui_support/gui_test_support.cpp
                                    ${PROJECT_SOURCE_DIR}/tests/gui_support/display_input.cpp)
target_include_directories(gui_test_support PUBLIC ${PROJECT_SOURCE_DIR}/tests/gui_support
                                                   ${PROJECT_SOURCE_DIR}/framework)
target_link_libraries(gui_test_support PRIVATE project_options PUBLIC user32 gdi32)

# GUI programs move the one pointer of the display: never two at once. The 32-bit build may run
# under emulation, where every program start is slow: it runs only the cases its `WIN32_FILTER`
# names (programs without one are not built there), the 64-bit build the whole suite.
function(add_gui_test name)
  cmake_parse_arguments(G "" "WIN32_FILTER" "" ${ARGN})
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    if(NOT G_WIN32_FILTER)
      return()
    endif()
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${G_UNPARSED_ARGUMENTS})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE project_options GTest::gtest GTest::gtest_main ${T_LIBS})
    add_test(NAME ${name}_32 COMMAND ${name} --gtest_filter=${G_WIN32_FILTER})
    set_tests_properties(${name}_32 PROPERTIES RESOURCE_LOCK mouse TIMEOUT 600)
  else()
    add_project_test(${name} ${G_UNPARSED_ARGUMENTS})
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK mouse TIMEOUT 300)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endfunction()

add_gui_test(gui_drawing_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/draw_context_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmap_test.cpp
    ${PROJECT_SOURCE_DIR}/tests/fixture/fixture.rc
  LIBS framework_gui gui_test_support)
if(TARGET gui_drawing_tests)
  target_include_directories(gui_drawing_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
endif()

add_gui_test(gui_frame_tests WIN32_FILTER FrameWindow.Smoke*
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/frame_window_test.cpp
    ${PROJECT_SOURCE_DIR}/tests/fixture/fixture.rc
  LIBS framework_gui gui_test_support plugin_host)
target_include_directories(gui_frame_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests
                                                   ${CMAKE_CURRENT_LIST_DIR})

add_gui_test(gui_drop_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/drop_target_test.cpp
  LIBS framework_gui gui_test_support)
