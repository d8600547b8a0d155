# Controls: the window-free rules first, then the control classes over the drawing context.
target_sources(framework_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/control_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/knob_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/knob_drag.cpp
  ${CMAKE_CURRENT_LIST_DIR}/meter_law.cpp
  ${CMAKE_CURRENT_LIST_DIR}/system_double_click.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/toggle_button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rotary_knob.cpp
  ${CMAKE_CURRENT_LIST_DIR}/value_display.cpp
  ${CMAKE_CURRENT_LIST_DIR}/splash_panel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/level_meter.cpp)
