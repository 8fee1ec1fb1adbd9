# Runtime discovery: the probes, the runtime entry with the list box operations, and the
# search of the three sources, against Wine's registry, files and a real list box.
jreselect_add_test(probe_tests ${CMAKE_CURRENT_LIST_DIR}/probe_tests.cpp)
jreselect_add_test(runtime_entry_tests ${CMAKE_CURRENT_LIST_DIR}/runtime_entry_tests.cpp)
jreselect_add_test(discovery_tests ${CMAKE_CURRENT_LIST_DIR}/discovery_tests.cpp)
# The inventory of every Java home on the machine, against the registry's hives and views,
# the process's environment and real launchers of both machines (fixtures).
jreselect_add_test(inventory_tests ${CMAKE_CURRENT_LIST_DIR}/inventory_tests.cpp)
