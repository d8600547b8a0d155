target_sources(framework_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/gui_types.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../editor/idle_cycle.cpp)
