# The real window under a virtual X server (skipped where Xvfb is missing).
add_test(NAME xvfb_window
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/xvfb_window_test.sh $<TARGET_FILE:slidora> ${RUN_DIR}/Bitmap)
set_tests_properties(xvfb_window PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
