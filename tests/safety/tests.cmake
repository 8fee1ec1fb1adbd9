# The build's overrun checks, proven on a probe that overruns on purpose (tests/fixtures).
jreselect_add_wine_test(overruns_stop_the_program
  bash ${CMAKE_CURRENT_LIST_DIR}/check-overruns.sh ${JRESELECT_WINE_RUN}
    ${JRESELECT_PREFIXES}/safety $<TARGET_FILE:overrun_probe>)
