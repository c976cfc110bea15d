# Small JACK programs that the port tests start as separate processes: an
# external MIDI receiver, to check the bytes the program sends to a real port,
# and the guard that runs a test's own JACK server and ends it with the test.
pkg_check_modules(RECEIVER_JACK REQUIRED IMPORTED_TARGET jack)
add_executable(midi_receiver tests/helpers/midi_receiver.c)
target_link_libraries(midi_receiver PRIVATE PkgConfig::RECEIVER_JACK)
add_executable(jack_guard tests/helpers/jack_guard.c)
target_link_libraries(jack_guard PRIVATE PkgConfig::RECEIVER_JACK)
add_dependencies(slidora_tests midi_receiver jack_guard)
target_compile_definitions(slidora_tests PRIVATE MIDI_RECEIVER_PATH="$<TARGET_FILE:midi_receiver>"
                                                 JACK_GUARD_PATH="$<TARGET_FILE:jack_guard>")
