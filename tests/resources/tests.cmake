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

# The manifests of the shipped programs, from the files alone (label static): the console
# program asks for asInvoker and nothing else; the dialog program has none. The check is
# shown to refuse each manifest fault it is there for.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  jreselect_add_static_test(cli_manifest_asks_for_as_invoker_only
    bash ${CMAKE_CURRENT_LIST_DIR}/check-manifest.sh $<TARGET_FILE:JreSelectCli> asInvoker)
  jreselect_add_static_test(dialog_program_has_no_manifest
    bash ${CMAKE_CURRENT_LIST_DIR}/check-manifest.sh $<TARGET_FILE:JreSelect> none)
  jreselect_add_static_test(manifest_check_refuses_each_fault
    bash ${CMAKE_CURRENT_LIST_DIR}/check-manifest.sh --self-test
      ${CMAKE_CURRENT_BINARY_DIR}/manifest-check)
endif()
