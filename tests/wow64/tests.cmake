# The shipped 32-bit programs under WOW64, in a 64-bit prefix: registry views and the
# redirected system directory. Registered in the wow64 configuration only.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  jreselect_add_test(wow64_tests
    ${CMAKE_CURRENT_LIST_DIR}/wow64_tests.cpp
    ${JRESELECT_E2E_DIR}/session.cpp
    ${CMAKE_SOURCE_DIR}/tests/cli/cli_runner.cpp
    ${CMAKE_SOURCE_DIR}/tests/cli/json_twin.cpp
    CONFIGS wow64 JSON_CHECK)
  target_link_libraries(wow64_tests PRIVATE jsdriver_lib advapi32)
  add_dependencies(wow64_tests JreSelect JreSelectCli jsdriver)
endif()
