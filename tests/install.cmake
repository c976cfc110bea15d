# The installed program: the tree `cmake --install` lays out and its launcher
# with a stand-in program, the launcher starting the real window under a
# virtual X server, and the Debian package. All three install from this build,
# which writes the build's install_manifest.txt: one at a time.
add_test(NAME install_launcher
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install_launcher_test.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
add_test(NAME install_window
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install_window_test.sh ${CMAKE_BINARY_DIR})
add_test(NAME install_deb
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install_deb_test.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
set_tests_properties(install_launcher install_window install_deb PROPERTIES
  SKIP_RETURN_CODE 77 TIMEOUT 300 RESOURCE_LOCK slidora_install)
