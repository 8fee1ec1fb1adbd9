# The resources of the built JreSelect.exe, read back from the file under Wine.
jreselect_add_test(resource_tests ${CMAKE_CURRENT_LIST_DIR}/resource_tests.cpp)
target_link_libraries(resource_tests PRIVATE version user32 gdi32)
add_dependencies(resource_tests JreSelect)
