# The Debian package: `cpack --config <build>/CPackConfig.cmake` (scripts/package)
# makes slidora-quenlo_<version>_<arch>.deb installing under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME slidora-quenlo)
set(CPACK_PACKAGE_VERSION 0.1.0)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pedal steel guitar simulator played with keyboard and mouse")
# The long description; cpack puts the summary before it as the synopsis.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Slidora Quenlo is a two-neck, eight-string pedal steel guitar played with the\n"
  "computer keyboard and mouse: the pointer is the slide bar, the number keys\n"
  "pick chord shapes and strums, mouse motion bends the sounding strings and the\n"
  "mouse buttons are the pedals. Every string sounds on MIDI channels of its own,\n"
  "through the built-in General MIDI synthesizer or any MIDI output port. It also\n"
  "plays songs written as text files.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Slidora Quenlo developers <maintainers@slidora-quenlo.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The shared libraries come from dpkg-shlibdeps; what the program loads at run
# time without linking it is named here: a General MIDI SoundFont for the
# built-in synthesizer, and the fonts the panel writes with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fluid-soundfont-gm | timgm6mb-soundfont, fonts-liberation, fontconfig")
include(CPack)
