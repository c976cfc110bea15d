# The system MIDI ports and the built-in synthesizer talk to JACK and ALSA
# directly too (to ask whether a server runs, and to keep the libraries quiet).
pkg_check_modules(JACK REQUIRED IMPORTED_TARGET jack)
pkg_check_modules(ALSA REQUIRED IMPORTED_TARGET alsa)
target_link_libraries(slidora_platform PRIVATE PkgConfig::JACK PkgConfig::ALSA)
