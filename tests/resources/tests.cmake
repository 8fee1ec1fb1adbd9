# The resources of the built JreSelect.exe, read back from the file under Wine.
jreselect_add_test(resource_tests ${CMAKE_CURRENT_LIST_DIR}/resource_tests.cpp)
target_link_libraries(resource_tests PRIVATE version user32 gdi32)
add_dependencies(resource_tests JreSelect)

# The shipped 32-bit JreSelect.exe, read by the 64-bit test build as a data file: its
# resources are checked on every host, also where no 32-bit code can run.
if(CMAKE_SIZEOF_VOID_P EQUAL 8 AND JRESELECT_SHIPPED_BIN_DIR)
  jreselect_discover(resource_tests NAME_PREFIX "shipped32/"
    EXTRA_ARGS "--program=Z:${JRESELECT_SHIPPED_BIN_DIR}/JreSelect.exe")
endif()
