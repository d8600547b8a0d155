# The rules of the view container's part of the toolkit, natively and on Windows.
add_project_test(container_rules_tests SOURCES container_rules_test.cpp LIBS framework_gui)
