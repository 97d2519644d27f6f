# The whole program as an operator uses it: the real binary under Xvfb, driven
# by xdotool, checking the files it writes.
find_package(Python3 COMPONENTS Interpreter QUIET)
if(Python3_FOUND)
  add_test(NAME e2e_operator
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/e2e_operator.py
            --binary $<TARGET_FILE:vosmira>)
  set_tests_properties(e2e_operator PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77
    RUN_SERIAL TRUE ENVIRONMENT "${VOSMIRA_TEST_ENV}")
endif()

# The secondary windows under a real window manager (openbox): they stay above
# the main window.
if(Python3_FOUND)
  add_test(NAME e2e_stacking
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/e2e_stacking.py
            --binary $<TARGET_FILE:vosmira>)
  set_tests_properties(e2e_stacking PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77
    RUN_SERIAL TRUE ENVIRONMENT "${VOSMIRA_TEST_ENV}")
endif()
