# Runtime discovery: the probes, the runtime entry with the list box operations, and the
# search of the three sources, against Wine's registry, files and a real list box.

# Executables whose version resource is damaged: the fixed file information is 20 bytes
# long, or empty. They stand as wjview.exe where the version block must not be trusted.
function(jreselect_short_version_fixture name value_length)
  add_executable(${name} WIN32 ${CMAKE_CURRENT_LIST_DIR}/../fixtures/tiny.c
    ${CMAKE_CURRENT_LIST_DIR}/short_version.rc)
  target_compile_definitions(${name} PRIVATE FIX_VALUE_LENGTH=${value_length})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/fixtures)
endfunction()
jreselect_short_version_fixture(wjview_short_fixed 20)
jreselect_short_version_fixture(wjview_empty_fixed 0)

set(JRESELECT_DISCOVERY_TESTS ${CMAKE_CURRENT_LIST_DIR})

add_library(discovery_test_support STATIC ${JRESELECT_DISCOVERY_TESTS}/list_window.cpp)
target_link_libraries(discovery_test_support PUBLIC jreselect_core test_support user32)
target_compile_options(discovery_test_support PRIVATE ${JRESELECT_WARNINGS})
add_dependencies(discovery_test_support wjview_short_fixed wjview_empty_fixed)

jreselect_add_test(probe_tests ${JRESELECT_DISCOVERY_TESTS}/probe_tests.cpp)
add_dependencies(probe_tests wjview_short_fixed wjview_empty_fixed)

jreselect_add_test(runtime_entry_tests ${JRESELECT_DISCOVERY_TESTS}/runtime_entry_tests.cpp)
target_link_libraries(runtime_entry_tests PRIVATE discovery_test_support)

jreselect_add_test(discovery_tests ${JRESELECT_DISCOVERY_TESTS}/discovery_tests.cpp)
target_link_libraries(discovery_tests PRIVATE discovery_test_support)
