# Controls: the window-free rules, natively under the sanitizers as everywhere.
add_project_test(control_rules_tests SOURCES control_rules_test.cpp knob_rules_test.cpp
                 LIBS framework_gui)
