# The panel controls in the real window under a virtual X server (skipped where
# Xvfb is missing).
add_test(NAME controls_xvfb
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/scripts/controls_xvfb.sh $<TARGET_FILE:slidora> ${RUN_DIR})
set_tests_properties(controls_xvfb PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180)
