# The song fuzz target, built with clang's libFuzzer and the address and
# undefined-behaviour sanitizers beside the ordinary build. scripts/test runs it.
find_program(SLIDORA_CLANGXX NAMES clang++ clang++-14)
if(SLIDORA_CLANGXX)
  file(GLOB FUZZ_SONG_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/song/song_*.cpp)
  set(FUZZ_SOURCES ${CMAKE_SOURCE_DIR}/tests/fuzz/song_fuzz.cpp ${FUZZ_SONG_SOURCES}
      ${CMAKE_SOURCE_DIR}/src/platform/platform.cpp ${CMAKE_SOURCE_DIR}/src/platform/working_dir.cpp)
  file(GLOB FUZZ_HEADERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/song/*.h ${CMAKE_SOURCE_DIR}/src/platform/*.h)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  set(SONG_FUZZ ${CMAKE_BINARY_DIR}/fuzz/song_fuzz)
  add_custom_command(
    OUTPUT ${SONG_FUZZ}
    COMMAND ${SLIDORA_CLANGXX} -std=c++20 -g -O1 -Wall -Wextra
            -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
            -I${CMAKE_SOURCE_DIR}/src ${FUZZ_SOURCES} -o ${SONG_FUZZ}
    DEPENDS ${FUZZ_SOURCES} ${FUZZ_HEADERS}
    COMMENT "Building the song fuzz target with clang"
    VERBATIM)
  add_custom_target(song_fuzz_target ALL DEPENDS ${SONG_FUZZ})
endif()
