# View container, the further controls and the file selector. Their rules need no window and
# build everywhere; the classes themselves only for Windows.
target_sources(framework_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/strip_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zone_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fader_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/digit_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menu_entry_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_filter_rules.cpp)
target_sources(framework_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/view_container.cpp)
