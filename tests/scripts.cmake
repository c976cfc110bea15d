# The project's shell scripts: install-deps against stand-ins for the package
# tools, and shellcheck over every script.
add_test(NAME install_deps
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/scripts/install_deps_test.sh ${CMAKE_SOURCE_DIR})
add_test(NAME shellcheck
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/scripts/shellcheck_test.sh ${CMAKE_SOURCE_DIR})
set_tests_properties(install_deps shellcheck PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120)
