# The window driver: a library that end-to-end tests link, and jsdriver.exe, the same
# operations for scripts.
add_library(jsdriver_lib STATIC ${CMAKE_CURRENT_LIST_DIR}/driver.cpp)
target_include_directories(jsdriver_lib PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
jreselect_warnings(jsdriver_lib)
target_link_libraries(jsdriver_lib PUBLIC user32 gdi32)

add_executable(jsdriver ${CMAKE_CURRENT_LIST_DIR}/jsdriver.cpp)
jreselect_warnings(jsdriver)
target_link_libraries(jsdriver PRIVATE jsdriver_lib)

# Every jsdriver command against the real program, as scripts use them.
jreselect_add_wine_test(jsdriver_commands
  bash ${CMAKE_CURRENT_LIST_DIR}/jsdriver_check.sh ${JRESELECT_WINE_RUN}
    ${JRESELECT_PREFIXES}/jsdriver_commands $<TARGET_FILE:JreSelect> $<TARGET_FILE:jsdriver>)
