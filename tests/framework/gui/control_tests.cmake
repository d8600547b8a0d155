# Controls: the window-free rules and the classes on the headless window system run natively
# (under the sanitizers) as everywhere; the drawing and real-input tests run in the 64-bit
# Windows build on the virtual display.
add_project_test(control_rules_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/control_rules_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/knob_rules_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/control_classes_test.cpp
  LIBS framework_gui)

if(COMMAND add_gui_test)
  add_gui_test(control_gui_tests
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/control_test_bed.cpp
      ${CMAKE_CURRENT_LIST_DIR}/knob_gui_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/readout_gui_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/splash_gui_test.cpp
    LIBS framework_gui gui_test_support plugin_host)
endif()
