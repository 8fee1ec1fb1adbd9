# The build's overrun checks, proven on a probe that overruns on purpose.
add_executable(overrun_probe ${CMAKE_CURRENT_LIST_DIR}/overrun_probe.cpp
  ${CMAKE_SOURCE_DIR}/base/stack_guard.cpp)
set_target_properties(overrun_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/fixtures)
jreselect_add_wine_test(overruns_stop_the_program
  bash ${CMAKE_CURRENT_LIST_DIR}/check-overruns.sh ${JRESELECT_WINE_RUN}
    ${JRESELECT_PREFIXES}/safety $<TARGET_FILE:overrun_probe>)
