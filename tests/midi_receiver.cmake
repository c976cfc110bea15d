# A small external MIDI receiver (a JACK client) that the port tests start as a
# separate process, to check the bytes the program sends to a real port.
pkg_check_modules(RECEIVER_JACK REQUIRED IMPORTED_TARGET jack)
add_executable(midi_receiver tests/helpers/midi_receiver.c)
target_link_libraries(midi_receiver PRIVATE PkgConfig::RECEIVER_JACK)
add_dependencies(slidora_tests midi_receiver)
target_compile_definitions(slidora_tests PRIVATE MIDI_RECEIVER_PATH="$<TARGET_FILE:midi_receiver>")
