# The rules of the view container's part of the toolkit, natively and on Windows.
add_project_test(container_rules_tests SOURCES container_rules_test.cpp LIBS framework_gui)

# GUI tests: real windows on a virtual display of their own, driven by real mouse and key input.
# They share the wine server's idea of the pointer, so they never run two at once.
if(WIN32)
  add_library(container_real_input STATIC ${CMAKE_CURRENT_LIST_DIR}/real_input.cpp)
  target_link_libraries(container_real_input PUBLIC framework_gui PRIVATE project_options)
  function(add_container_gui_test name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE project_options container_real_input framework_gui
                                          framework plugin_host GTest::gtest GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/fixture)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TEST_BIN})
    add_test(NAME ${name}
             COMMAND ${CMAKE_CURRENT_LIST_DIR}/with-private-display.sh
                     ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK gui_pointer TIMEOUT 300)
  endfunction()
  add_container_gui_test(container_view_tests ${CMAKE_CURRENT_LIST_DIR}/container_view_test.cpp)
endif()
if(WIN32)
  add_container_gui_test(gallery_gui_tests
    ${CMAKE_CURRENT_LIST_DIR}/gallery_controls_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gallery_text_menu_test.cpp)
  target_compile_definitions(gallery_gui_tests PRIVATE GALLERY_PLUGIN="Gallery.dll")
  target_include_directories(gallery_gui_tests PRIVATE ${PROJECT_SOURCE_DIR}/tools/host)
  add_dependencies(gallery_gui_tests gallery_plugin)
endif()
