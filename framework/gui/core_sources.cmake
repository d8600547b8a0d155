# The toolkit core: portable rules everywhere, a thin Win32 layer on Windows and a headless one
# elsewhere (so the native sanitizer build runs the frame, view and editor logic).
target_sources(framework_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/gui_types.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw_context.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mouse_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drop_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../editor/idle_cycle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../editor/gui_editor.cpp)
if(WIN32)
  target_sources(framework_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/draw_context_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/offscreen_context_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmap_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_system_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frame_drop_target_win32.cpp)
else()
  target_sources(framework_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/draw_context_headless.cpp
    ${CMAKE_CURRENT_LIST_DIR}/offscreen_context_headless.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmap_headless.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_system_headless.cpp)
endif()
