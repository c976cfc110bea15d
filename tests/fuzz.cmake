# The song and settings fuzz targets, built with clang's libFuzzer and the
# address and undefined-behaviour sanitizers beside the ordinary build.
# scripts/test runs them briefly.
find_program(SLIDORA_CLANGXX NAMES clang++ clang++-14)
if(SLIDORA_CLANGXX)
  file(GLOB FUZZ_HEADERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*/*.h)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  # build/fuzz/NAME_fuzz from tests/fuzz/NAME_fuzz.cpp and the sources it tests.
  function(add_fuzz_target name)
    set(sources ${CMAKE_SOURCE_DIR}/tests/fuzz/${name}_fuzz.cpp ${ARGN})
    set(binary ${CMAKE_BINARY_DIR}/fuzz/${name}_fuzz)
    add_custom_command(
      OUTPUT ${binary}
      COMMAND ${SLIDORA_CLANGXX} -std=c++20 -g -O1 -Wall -Wextra
              -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
              -I${CMAKE_SOURCE_DIR}/src ${sources} -o ${binary}
      DEPENDS ${sources} ${FUZZ_HEADERS}
      COMMENT "Building the ${name} fuzz target with clang"
      VERBATIM)
    add_custom_target(${name}_fuzz_target ALL DEPENDS ${binary})
  endfunction()

  # Song files: load and compile.
  file(GLOB FUZZ_SONG_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/song/song_*.cpp)
  add_fuzz_target(song ${FUZZ_SONG_SOURCES} ${CMAKE_SOURCE_DIR}/src/platform/platform.cpp
                  ${CMAKE_SOURCE_DIR}/src/platform/working_dir.cpp
                  ${CMAKE_SOURCE_DIR}/src/platform/plain_file_posix.cpp)
  # The settings file: read and written back whatever it holds.
  add_fuzz_target(settings ${CMAKE_SOURCE_DIR}/src/model/settings.cpp ${CMAKE_SOURCE_DIR}/src/model/instrument.cpp
                  ${CMAKE_SOURCE_DIR}/src/platform/profile.cpp ${CMAKE_SOURCE_DIR}/src/platform/profile_index.cpp
                  ${CMAKE_SOURCE_DIR}/src/platform/atomic_file.cpp ${CMAKE_SOURCE_DIR}/src/platform/working_dir.cpp)
endif()
