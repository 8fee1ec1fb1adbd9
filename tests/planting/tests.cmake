# Both programs started from a folder that holds a planted uxtheme.dll and version.dll, with
# Wine looking beside a program first for those two, as Windows does for DLLs that are not
# KnownDLLs (Wine's default is its builtin copy first, which no planted DLL could beat); a
# control program that loads both; the fallback of the DLL search on its own. In every
# configuration.
jreselect_add_test(planting_tests
  ${CMAKE_CURRENT_LIST_DIR}/planting_tests.cpp
  ${JRESELECT_E2E_DIR}/session.cpp
  ${CMAKE_SOURCE_DIR}/tests/cli/cli_runner.cpp
  ${CMAKE_SOURCE_DIR}/tests/cli/json_twin.cpp
  ENVIRONMENT JRESELECT_DLL_OVERRIDES=version,uxtheme=n,b
  JSON_CHECK)
target_link_libraries(planting_tests PRIVATE jsdriver_lib advapi32)
add_dependencies(planting_tests JreSelect JreSelectCli jsdriver fixtures)
