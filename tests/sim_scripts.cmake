# Every tests/<area>/scripts/NAME.sim runs through `slidora-cli sim` in a fresh
# working folder; its standard output must equal NAME.out. A NAME.err file
# instead expects the run to fail with status 2 and that text on standard error.
file(GLOB SIM_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*/scripts/*.sim)
foreach(script ${SIM_SCRIPTS})
  get_filename_component(name ${script} NAME_WE)
  get_filename_component(dir ${script} DIRECTORY)
  get_filename_component(area ${dir} DIRECTORY)
  get_filename_component(area ${area} NAME)
  add_test(NAME sim.${area}.${name}
           COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:slidora-cli> -DSCRIPT=${script}
                   "-DRUN=${CMAKE_CROSSCOMPILING_EMULATOR}"
                   -DWORK=${CMAKE_BINARY_DIR}/sim_work/${area}.${name}
                   -P ${CMAKE_CURRENT_LIST_DIR}/support/run_sim_script.cmake)
  set_tests_properties(sim.${area}.${name} PROPERTIES TIMEOUT 120)
endforeach()
