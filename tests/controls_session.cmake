# The panel session through slidora-cli sim, run twice: the saved settings of
# the first run are what the second starts with.
add_test(NAME ControlsSimSession
  COMMAND ${CMAKE_SOURCE_DIR}/tests/scripts/controls_session.sh $<TARGET_FILE:slidora-cli> ${CMAKE_SOURCE_DIR})
set_tests_properties(ControlsSimSession PROPERTIES TIMEOUT 120)
