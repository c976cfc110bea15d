# The Windows build, cross-compiled with mingw-w64 (cmake/mingw-w64.cmake):
# the same libraries above src/platform/, the Win32 backend beside the Linux
# one, both programs, and the tests that need neither FluidSynth nor a POSIX
# system, run under Wine. Included by CMakeLists.txt once the layers exist.

# GDI, the multimedia library and the shell's drops.
target_link_libraries(slidora_platform PUBLIC Threads::Threads PRIVATE winmm gdi32 shell32 user32)
# Windows 7 and later: the declarations of the calls used are all there.
target_compile_definitions(slidora_platform PRIVATE _WIN32_WINNT=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX)
add_library(slidora_core INTERFACE)
target_link_libraries(slidora_core INTERFACE slidora_app)

set(RUN_DIR ${CMAKE_BINARY_DIR}/run)
file(MAKE_DIRECTORY ${RUN_DIR})

# Every program writes its files and standard streams in binary mode.
set(BINARY_STDIO ${CMAKE_SOURCE_DIR}/src/platform/win32_binary_stdio.c)
# A window program: no console opens beside it.
add_executable(slidora WIN32 src/app/main_slidora.cpp ${BINARY_STDIO})
target_link_libraries(slidora PRIVATE slidora_core)
add_executable(slidora-cli src/app/main_cli.cpp ${BINARY_STDIO})
target_link_libraries(slidora-cli PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,slidora_app>")

# The panel's pictures are the ones the Linux build draws (the picture tool is
# a Linux program): SLIDORA_PICTURES names their folder.
set(SLIDORA_PICTURES "" CACHE PATH "Folder of the panel pictures the Linux build drew")
if(SLIDORA_PICTURES)
  file(GLOB pictures ${SLIDORA_PICTURES}/*.bmp)
  file(COPY ${pictures} DESTINATION ${RUN_DIR}/Bitmap)
endif()
configure_file(${CMAKE_SOURCE_DIR}/songs/EditingSong.txt ${RUN_DIR}/EditingSong.txt COPYONLY)

# The timer benchmark (a plain program): the tick's figures under Windows.
add_executable(bench_timer_tick bench/timer_tick.cpp ${BINARY_STDIO})
target_include_directories(bench_timer_tick PRIVATE src tests)
target_link_libraries(bench_timer_tick PRIVATE slidora_core)

enable_testing()
# GoogleTest from Debian's sources, built with the same compiler.
set(SLIDORA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${SLIDORA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Test files that need FluidSynth, JACK or PulseAudio, or test the POSIX files
# of the platform layer (links, permissions, a removed working folder), or
# start the Linux programs or a child process, stay Linux tests.
file(GLOB_RECURSE TEST_SOURCES CONFIGURE_DEPENDS tests/*.cpp)
list(FILTER TEST_SOURCES EXCLUDE REGEX "/fuzz/")
list(FILTER TEST_SOURCES EXCLUDE REGEX
  "/tests/(platform/(builtin_synth|builtin_synth_live|jack_port|jack_audio|jack_guard|pulse_audio|synth_render|resampler|system_midi|atomic_file|working_dir)|app/(song_render|cli_song|sim_scripts_doc|takes|take_files)|song/song_format_doc|perform/real_sound)_test\\.cpp$")
# Tests of the files above that run a child process, a named pipe, a file-size
# limit or a removed working folder (and its "/" paths): Windows has none of them.
set(POSIX_ONLY_TESTS
  SettingsTest.AFailedSaveLeavesTheOldFileIntact SettingsTest.ARemovedWorkingFolderIsNeverTheRootFolder
  AppTest.ASaveThatFailsAtExitTellsThePlayerWhichFileAndWhy
  SongLoadTest.OnlyReadableTxtFilesWithPathsOfAtMost260CharactersLoad
  SongLoadTest.EmptyPathLoadsEditingSongOfTheWorkingDirectoryOrNamesWhatItCannotOpen)
list(JOIN POSIX_ONLY_TESTS ":" POSIX_ONLY_FILTER)
add_executable(slidora_tests ${TEST_SOURCES} ${BINARY_STDIO})
target_include_directories(slidora_tests PRIVATE tests src)
target_link_libraries(slidora_tests PRIVATE slidora_core gtest gmock gtest_main)
target_compile_definitions(slidora_tests PRIVATE
  SLIDORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}" SLIDORA_BINARY_DIR="${CMAKE_BINARY_DIR}")
# The few POSIX calls the test helpers make, on Windows.
target_compile_options(slidora_tests PRIVATE
  "$<$<COMPILE_LANGUAGE:CXX>:SHELL:-include ${CMAKE_SOURCE_DIR}/tests/support/windows_compat.h>")
target_include_directories(slidora_tests PRIVATE tests/support/windows_posix)
include(GoogleTest)
gtest_discover_tests(slidora_tests DISCOVERY_TIMEOUT 120 PROPERTIES TIMEOUT 120
                     TEST_FILTER "-${POSIX_ONLY_FILTER}")

include(tests/sim_scripts.cmake)

# The real window under Wine on a virtual X server, with a Wine folder of its
# own (skipped where Xvfb, xdotool or ImageMagick is missing).
add_test(NAME wine_window
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/scripts/wine_window_test.sh ${CMAKE_CROSSCOMPILING_EMULATOR}
          $<TARGET_FILE:slidora> ${RUN_DIR}/Bitmap ${CMAKE_BINARY_DIR}/wine-prefix-window)
set_tests_properties(wine_window PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
