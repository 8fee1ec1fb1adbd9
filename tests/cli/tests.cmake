# JreSelectCli end to end: the program is started as its own process, in registry and file
# states that the tests seed, and judged by its output, exit code and the registry after.
# Every reading command that they run is run with --json too (tests/cli/json_twin.h).
jreselect_add_test(cli_tests
  ${CMAKE_CURRENT_LIST_DIR}/cli_runner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/json_twin.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_list_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_text_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_explain_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_set_tests.cpp
  JSON_CHECK)
add_dependencies(cli_tests JreSelectCli)

# The console program with no X display at all (DISPLAY unset for its whole Wine session).
jreselect_add_wine_test(cli_runs_without_a_display
  bash ${CMAKE_CURRENT_LIST_DIR}/cli_without_display.sh ${JRESELECT_WINE_RUN}
    ${JRESELECT_PREFIXES}/cli_without_display $<TARGET_FILE:JreSelectCli>)

# The runtimes on the machine that the list does not offer: JavaSoft\JRE and JavaSoft\JDK in
# every configuration; the registry's other view where there is one (the 32-bit program
# under WOW64, the 64-bit build); every other Java home (the inventory) in every
# configuration. Each also runs the dialog, which must not change.
foreach(area not_offered other_view inventory)
  set(configs)
  if(area STREQUAL other_view)
    set(configs CONFIGS wow64 win64)
  endif()
  jreselect_add_test(cli_${area}_tests
    ${CMAKE_CURRENT_LIST_DIR}/cli_runner.cpp
    ${CMAKE_CURRENT_LIST_DIR}/json_twin.cpp
    ${CMAKE_CURRENT_LIST_DIR}/not_offered_support.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cli_${area}_tests.cpp
    ${JRESELECT_E2E_DIR}/session.cpp
    ${configs} JSON_CHECK)
  target_link_libraries(cli_${area}_tests PRIVATE jsdriver_lib advapi32)
  add_dependencies(cli_${area}_tests JreSelect JreSelectCli jsdriver fixtures)
endforeach()

# The --json forms: each command's document against its text form, errors with their exit
# codes, the console program's output to a console of its own.
jreselect_add_test(cli_json_tests
  ${CMAKE_CURRENT_LIST_DIR}/cli_runner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/json_twin.cpp
  ${CMAKE_CURRENT_LIST_DIR}/not_offered_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_json_tests.cpp
  JSON_CHECK)
add_dependencies(cli_json_tests JreSelectCli fixtures)

# The JSON writer of the console program, under code pages 932 and 1252 (as tests/codepage).
foreach(code_page_locale 932:ja_JP.UTF-8 1252:C.UTF-8)
  string(REPLACE ":" ";" pair ${code_page_locale})
  list(GET pair 0 code_page)
  list(GET pair 1 locale)
  jreselect_add_test(json_writer_${code_page}_tests
    ${CMAKE_CURRENT_LIST_DIR}/json_writer_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cli_runner.cpp
    ${CMAKE_CURRENT_LIST_DIR}/json_twin.cpp
    ${CMAKE_SOURCE_DIR}/cli/json_writer.cpp
    ENVIRONMENT LC_ALL=${locale}
    JSON_CHECK)
  target_compile_definitions(json_writer_${code_page}_tests PRIVATE
    JRESELECT_TEST_CODE_PAGE=${code_page})
  add_dependencies(json_writer_${code_page}_tests JreSelectCli)
endforeach()

# The documents that the cases above keep are parsed by Python's json module, checked against
# the schema and compared with the text forms, after every case of the configuration (a ctest
# fixture: the folder is emptied before them, checked after them).
foreach(config ${JRESELECT_FULL_CONFIGS})
  add_test(NAME ${config}/json_documents_cleared
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${JRESELECT_JSON_OUT}/${config})
  add_test(NAME ${config}/json_documents_parse_and_match_the_text
    COMMAND python3 ${CMAKE_CURRENT_LIST_DIR}/check_json.py documents
      ${JRESELECT_JSON_OUT}/${config})
  set_tests_properties(${config}/json_documents_cleared PROPERTIES LABELS ${config}
    FIXTURES_SETUP json_${config})
  set_tests_properties(${config}/json_documents_parse_and_match_the_text PROPERTIES
    LABELS ${config} FIXTURES_CLEANUP json_${config} TIMEOUT 300)
endforeach()

# The examples of docs/cli.md against the schema: no Wine.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  jreselect_add_static_test(cli_json_examples_match_the_schema
    python3 ${CMAKE_CURRENT_LIST_DIR}/check_json.py examples ${CMAKE_SOURCE_DIR}/docs/cli.md)
endif()

# The words of the text and JSON forms (cli/words.h), one row per fact.
jreselect_add_test(words_tests
  ${CMAKE_CURRENT_LIST_DIR}/words_tests.cpp
  ${CMAKE_SOURCE_DIR}/cli/words.cpp)
