# The headless system against the real program: the same settings and clicks
# through slidora-cli sim and through the window under a virtual X server, with
# the program's MIDI caught on a JACK server of the test's own (skipped where
# Xvfb or jackd is missing).
add_test(NAME same_program_xvfb
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/scripts/same_program_xvfb.sh
          $<TARGET_FILE:slidora> $<TARGET_FILE:slidora-cli> $<TARGET_FILE:midi_receiver>
          $<TARGET_FILE:jack_guard> ${RUN_DIR})
# Alone: JACK keeps room for only a few servers, and the JACK tests start one each.
set_tests_properties(same_program_xvfb PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180 RUN_SERIAL TRUE)
