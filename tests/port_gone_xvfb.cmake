# The JACK server of the chosen external port dies during a dense song: the
# real program under a virtual X server keeps answering and saves its settings
# (skipped where Xvfb or jackd is missing).
add_test(NAME port_gone_xvfb
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/scripts/port_gone_xvfb.sh
          $<TARGET_FILE:slidora> $<TARGET_FILE:midi_receiver> $<TARGET_FILE:jack_guard> ${RUN_DIR})
set_tests_properties(port_gone_xvfb PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180)
