# docs/cli.md's examples against a fresh capture: the machines that they name are made
# again and their commands run; every block must be the same, byte for byte.
jreselect_add_wine_test(docs_examples_match_a_fresh_capture
  bash ${CMAKE_CURRENT_LIST_DIR}/capture_examples.sh ${JRESELECT_WINE_RUN} ${JRESELECT_PREFIXES}
    ${CMAKE_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR}/docs-capture.txt
    ${CMAKE_SOURCE_DIR}/docs/cli.md)
