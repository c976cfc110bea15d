# The song and settings fuzz targets, built with clang's libFuzzer and the address and
# undefined-behaviour sanitizers beside the ordinary build. scripts/test runs it.
find_program(SLIDORA_CLANGXX NAMES clang++ clang++-14)
if(SLIDORA_CLANGXX)
  file(GLOB FUZZ_SONG_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/song/song_*.cpp)
  set(FUZZ_SOURCES ${CMAKE_SOURCE_DIR}/tests/fuzz/song_fuzz.cpp ${FUZZ_SONG_SOURCES}
      ${CMAKE_SOURCE_DIR}/src/platform/platform.cpp)
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

  # The settings file: read and written back whatever it holds.
  set(SETTINGS_FUZZ_SOURCES ${CMAKE_SOURCE_DIR}/tests/fuzz/settings_fuzz.cpp
      ${CMAKE_SOURCE_DIR}/src/model/settings.cpp ${CMAKE_SOURCE_DIR}/src/model/instrument.cpp
      ${CMAKE_SOURCE_DIR}/src/platform/profile.cpp ${CMAKE_SOURCE_DIR}/src/platform/profile_index.cpp
      ${CMAKE_SOURCE_DIR}/src/platform/atomic_file.cpp)
  set(SETTINGS_FUZZ ${CMAKE_BINARY_DIR}/fuzz/settings_fuzz)
  add_custom_command(
    OUTPUT ${SETTINGS_FUZZ}
    COMMAND ${SLIDORA_CLANGXX} -std=c++20 -g -O1 -Wall -Wextra
            -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
            -I${CMAKE_SOURCE_DIR}/src ${SETTINGS_FUZZ_SOURCES} -o ${SETTINGS_FUZZ}
    DEPENDS ${SETTINGS_FUZZ_SOURCES} ${FUZZ_HEADERS} ${CMAKE_SOURCE_DIR}/src/model/settings.h
            ${CMAKE_SOURCE_DIR}/src/model/instrument.h
    COMMENT "Building the settings fuzz target with clang"
    VERBATIM)
  add_custom_target(settings_fuzz_target ALL DEPENDS ${SETTINGS_FUZZ})
endif()
