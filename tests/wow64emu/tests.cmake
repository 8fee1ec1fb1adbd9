# The shipped 32-bit programs under WOW64 where the kernel runs no i386 code: Wine's 32-bit
# loader emulated (qemu-user through binfmt_misc), this 64-bit tree's test program seeding and
# driving natively. Registered in the 64-bit tree when it knows the 32-bit build's bin folder
# and the configuration wow64emu is asked for (scripts/test.sh does so on such hosts).
if(NOT (CMAKE_SIZEOF_VOID_P EQUAL 8 AND JRESELECT_SHIPPED_BIN_DIR AND
        "wow64emu" IN_LIST JRESELECT_WINE_CONFIGS))
  return()
endif()
set(unpacked ${CMAKE_BINARY_DIR}/wow64emu-release/unpacked)
jreselect_add_test(wow64emu_tests
  ${CMAKE_CURRENT_LIST_DIR}/wow64emu_tests.cpp
  ${JRESELECT_E2E_DIR}/session.cpp
  ${CMAKE_SOURCE_DIR}/tests/cli/cli_runner.cpp
  ${CMAKE_SOURCE_DIR}/tests/cli/json_twin.cpp
  CONFIGS wow64emu
  ENVIRONMENT JRESELECT_DLL_OVERRIDES=version,uxtheme=n,b)
jreselect_windows_path(unpacked_w ${unpacked})
jreselect_windows_path(shipped_fixtures_w ${JRESELECT_SHIPPED_BIN_DIR}/fixtures)
target_compile_definitions(wow64emu_tests PRIVATE JRESELECT_UNPACKED_W="${unpacked_w}"
  JRESELECT_SHIPPED_FIXTURES_W="${shipped_fixtures_w}" JRESELECT_JSON_OUT_W="${JRESELECT_JSON_OUT_W}")
target_link_libraries(wow64emu_tests PRIVATE jsdriver_lib advapi32)
add_dependencies(wow64emu_tests jsdriver fixtures)
# The release zip, built and unpacked once per run; its programs are the ones the cases start.
add_test(NAME wow64emu/release_zip_unpacked
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/unpack-release.sh ${CMAKE_SOURCE_DIR}
    ${CMAKE_BINARY_DIR}/wow64emu-release)
set_tests_properties(wow64emu/release_zip_unpacked PROPERTIES LABELS wow64emu
  FIXTURES_SETUP wow64emu_release TIMEOUT 900 PROCESSORS 2)
