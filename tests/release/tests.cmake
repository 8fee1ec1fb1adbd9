# The release, checked on the files alone (no Wine; label static): the programs as they ship,
# which are the ones every other test runs, are for Windows XP SP3 and carry no debug
# information, the dialog program within its size budget; the check refuses each fault it is
# there for; two release builds are the same bytes. The release is the 32-bit build.
if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
  return()
endif()
add_test(NAME static/shipped_programs_suit_xp_and_carry_no_debug_info
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check-shipped.sh
    $<TARGET_FILE:JreSelect> $<TARGET_FILE:JreSelectCli>)
# 160 KB: the dialog, its pictures and the C and C++ runtimes it links.
add_test(NAME static/shipped_dialog_program_within_160_kb
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check-size.sh $<TARGET_FILE:JreSelect> 163840)
add_test(NAME static/shipped_check_refuses_each_fault
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check-shipped-faults.sh
    $<TARGET_FILE:JreSelect> ${CMAKE_BINARY_DIR}/release-faults)
# Two builds of the two programs and the zip, one after the other, each with -j2.
add_test(NAME static/release_is_reproducible
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check-reproducible.sh ${CMAKE_SOURCE_DIR}
    ${CMAKE_BINARY_DIR}/release-twice $<TARGET_FILE:JreSelect> $<TARGET_FILE:JreSelectCli>)
set_tests_properties(static/shipped_programs_suit_xp_and_carry_no_debug_info
  static/shipped_dialog_program_within_160_kb static/shipped_check_refuses_each_fault static/release_is_reproducible
  PROPERTIES LABELS static)
set_tests_properties(static/release_is_reproducible PROPERTIES PROCESSORS 2 TIMEOUT 900)
