# View container, the further controls and the file selector. Their rules need no window and
# are tested natively; the controls that open native windows build only for Windows.
target_sources(framework_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/strip_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zone_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fader_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/digit_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menu_entry_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_filter_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view_container.cpp
  ${CMAKE_CURRENT_LIST_DIR}/film_strip_knob.cpp
  ${CMAKE_CURRENT_LIST_DIR}/strip_selector.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rocker_control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_strip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/strip_button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/animation_strip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/digit_display.cpp)
target_sources(framework_gui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/native_message_hook.cpp)
if(WIN32)
  target_sources(framework_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/text_field.cpp
    ${CMAKE_CURRENT_LIST_DIR}/menu_palette.cpp
    ${CMAKE_CURRENT_LIST_DIR}/choice_menu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_chooser.cpp)
endif()
