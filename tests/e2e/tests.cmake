# End-to-end tests: JreSelect.exe started as a process of its own under Wine on the
# (virtual) display, operated through the window driver, judged by what it shows, its exit
# code and the registry afterwards.
set(JRESELECT_E2E_DIR ${CMAKE_CURRENT_LIST_DIR})
set(JRESELECT_ARTIFACTS_DIR ${CMAKE_BINARY_DIR}/artifacts)
jreselect_windows_path(JRESELECT_ARTIFACTS_DIR_W ${JRESELECT_ARTIFACTS_DIR})

jreselect_add_test(e2e_tests
  ${JRESELECT_E2E_DIR}/session.cpp
  ${JRESELECT_E2E_DIR}/dialog_frame_tests.cpp
  ${JRESELECT_E2E_DIR}/runtime_choice_tests.cpp)
target_link_libraries(e2e_tests PRIVATE jsdriver_lib advapi32)
target_compile_definitions(e2e_tests PRIVATE
  JRESELECT_ARTIFACTS_DIR_W="${JRESELECT_ARTIFACTS_DIR_W}")
add_dependencies(e2e_tests JreSelect jsdriver)

# The dialog run inside the test program, for a failure that only an in-process hook can
# bring about: the registry refusing "classes" after taking "starter".
jreselect_add_test(inprocess_dialog_tests
  ${JRESELECT_E2E_DIR}/session.cpp
  ${JRESELECT_E2E_DIR}/classes_write_failure_tests.cpp
  ${CMAKE_SOURCE_DIR}/res/jreselect.rc)
target_link_libraries(inprocess_dialog_tests PRIVATE jsdriver_lib advapi32)

# One whole session under Wine's heap checking, driven by jsdriver.exe from a script.
jreselect_add_wine_test(e2e_heap_check
  bash ${JRESELECT_E2E_DIR}/heap_check.sh ${JRESELECT_WINE_RUN}
    ${JRESELECT_PREFIXES}/e2e_heap_check $<TARGET_FILE:JreSelect> $<TARGET_FILE:jsdriver>
    $<TARGET_FILE:wjview_5_0_0_381>)
