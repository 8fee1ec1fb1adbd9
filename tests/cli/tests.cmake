# JreSelectCli end to end: the program is started as its own process, in registry and file
# states that the tests seed, and judged by its output, exit code and the registry after.
jreselect_add_test(cli_tests
  ${CMAKE_CURRENT_LIST_DIR}/cli_runner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_list_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_explain_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_set_tests.cpp)
add_dependencies(cli_tests JreSelectCli)

# The console program with no X display at all (DISPLAY unset for its whole Wine session).
jreselect_add_wine_test(cli_runs_without_a_display
  bash ${CMAKE_CURRENT_LIST_DIR}/cli_without_display.sh ${JRESELECT_WINE_RUN}
    ${JRESELECT_PREFIXES}/cli_without_display $<TARGET_FILE:JreSelectCli>)
