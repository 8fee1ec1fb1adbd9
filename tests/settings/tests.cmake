# The settings store against Wine's real registry: the four registry operations, their
# read-only forms for a view named explicitly, and the product's settings.
jreselect_add_test(settings_tests
  ${CMAKE_CURRENT_LIST_DIR}/registry_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registry_view_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/product_settings_tests.cpp)
