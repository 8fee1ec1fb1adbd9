# Runtime discovery: the probes, the runtime entry with the list box operations, and the
# search of the three sources, against Wine's registry, files and a real list box.
jreselect_add_test(probe_tests ${CMAKE_CURRENT_LIST_DIR}/probe_tests.cpp)
jreselect_add_test(runtime_entry_tests ${CMAKE_CURRENT_LIST_DIR}/runtime_entry_tests.cpp)
jreselect_add_test(discovery_tests ${CMAKE_CURRENT_LIST_DIR}/discovery_tests.cpp)
