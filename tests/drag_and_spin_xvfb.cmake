# The window drag and a spin button left by the pointer in the real window
# under a virtual X server (skipped where Xvfb is missing).
add_test(NAME drag_and_spin_xvfb
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/scripts/drag_and_spin_xvfb.sh
          $<TARGET_FILE:slidora> $<TARGET_FILE:slidora-cli> ${RUN_DIR})
set_tests_properties(drag_and_spin_xvfb PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180)
