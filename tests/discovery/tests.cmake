# Runtime discovery: the probes, the runtime entry with the list box operations, and the
# search of the three sources, against Wine's registry, files and a real list box.

set(JRESELECT_DISCOVERY_TESTS ${CMAKE_CURRENT_LIST_DIR})

add_library(discovery_test_support STATIC ${JRESELECT_DISCOVERY_TESTS}/list_window.cpp)
target_link_libraries(discovery_test_support PUBLIC jreselect_core test_support user32)
jreselect_warnings(discovery_test_support)

jreselect_add_test(probe_tests ${JRESELECT_DISCOVERY_TESTS}/probe_tests.cpp)

jreselect_add_test(runtime_entry_tests ${JRESELECT_DISCOVERY_TESTS}/runtime_entry_tests.cpp)
target_link_libraries(runtime_entry_tests PRIVATE discovery_test_support)

jreselect_add_test(discovery_tests ${JRESELECT_DISCOVERY_TESTS}/discovery_tests.cpp)
target_link_libraries(discovery_tests PRIVATE discovery_test_support)
