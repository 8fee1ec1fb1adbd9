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

# The runtimes on the machine that the list does not offer: JavaSoft\JRE and JavaSoft\JDK in
# every configuration; the registry's other view where there is one (the 32-bit program
# under WOW64, the 64-bit build); every other Java home (the inventory) in every
# configuration. Each also runs the dialog, which must not change.
foreach(area not_offered other_view inventory)
  set(configs)
  if(area STREQUAL other_view)
    set(configs CONFIGS wow64 win64)
  endif()
  jreselect_add_test(cli_${area}_tests
    ${CMAKE_CURRENT_LIST_DIR}/cli_runner.cpp
    ${CMAKE_CURRENT_LIST_DIR}/not_offered_support.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cli_${area}_tests.cpp
    ${JRESELECT_E2E_DIR}/session.cpp
    ${configs})
  target_link_libraries(cli_${area}_tests PRIVATE jsdriver_lib advapi32)
  add_dependencies(cli_${area}_tests JreSelect JreSelectCli jsdriver fixtures)
endforeach()
