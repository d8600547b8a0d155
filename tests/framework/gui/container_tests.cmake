# The rules of the view container's part of the toolkit, natively and on Windows.
add_project_test(container_rules_tests SOURCES container_rules_test.cpp LIBS framework_gui)
if(NOT WIN32)
  # The container's routing and ownership on the headless window system, under the sanitizers.
  add_project_test(container_logic_tests SOURCES container_logic_test.cpp LIBS framework_gui)
endif()

# GUI tests: real windows on the virtual display, driven by real mouse and key input.
if(WIN32)
  add_library(container_real_input STATIC ${CMAKE_CURRENT_LIST_DIR}/real_input.cpp)
  target_link_libraries(container_real_input PUBLIC framework_gui gui_test_support
                                             PRIVATE project_options)
  add_gui_test(container_view_tests
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/container_view_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/choice_menu_test.cpp
    LIBS container_real_input framework_gui)
  add_gui_test(gallery_gui_tests WIN32_FILTER *ZeroLength*
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/gallery_controls_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/gallery_text_menu_test.cpp
    LIBS container_real_input plugin_host)
  if(TARGET gallery_gui_tests)
    target_include_directories(gallery_gui_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/fixture)
    target_compile_definitions(gallery_gui_tests PRIVATE GALLERY_PLUGIN="Gallery.dll")
    add_dependencies(gallery_gui_tests gallery_plugin)
  endif()
endif()
