# The program's own message box on a bare virtual X server (skipped where Xvfb
# is missing).
add_test(NAME xvfb_message_box
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/scripts/message_box_xvfb.sh
          $<TARGET_FILE:slidora> $<TARGET_FILE:slidora-cli> ${RUN_DIR}/Bitmap)
set_tests_properties(xvfb_message_box PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
