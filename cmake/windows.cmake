# start.exe for 64-bit Windows, and the Windows programs its tests run under Wine.
enable_language(RC)
# Only the libraries each program names.
set(CMAKE_CXX_STANDARD_LIBRARIES "")
add_compile_definitions(WIN32_LEAN_AND_MEAN)

# A program of the launcher's build: our own start-up (entry `startup`),
# nothing but Windows' own DLLs, randomized addresses (64-bit), data not
# executable. A missing libgcc or libstdc++ DLL would make Windows show an
# error dialog.
function(tiny_windows_program target)
  target_include_directories(${target} PRIVATE src src/windows)
  # SetDefaultDllDirectories comes with Windows 8 (and 7 with its update).
  # printf is the system C runtime's: mingw-w64's own would be larger than the
  # whole launcher. No C++ library headers, which would switch it back on.
  target_compile_definitions(${target} PRIVATE _WIN32_WINNT=0x0602 __USE_MINGW_ANSI_STDIO=0)
  target_compile_options(${target} PRIVATE -nostdinc++ -Os -fno-asynchronous-unwind-tables
                         -fno-stack-protector -ffunction-sections -fdata-sections)
  target_link_options(${target} PRIVATE -nostdlib -Wl,--entry=startup -s -Wl,--gc-sections
                      -Wl,--dynamicbase -Wl,--high-entropy-va -Wl,--nxcompat)
  target_link_libraries(${target} PRIVATE msvcrt kernel32 shell32 gcc)
endfunction()

add_executable(start WIN32 src/start.cpp src/dirpart.cpp src/windows/startup.cpp res/start.rc)
tiny_windows_program(start)
add_custom_command(TARGET start POST_BUILD
                   COMMAND stat --format "start.exe is %s bytes" $<TARGET_FILE:start>
                   VERBATIM)

# Stands in for javaw.exe: records what it was started with.
add_executable(standin_javaw WIN32 tests/standin/javaw.cpp)
set_target_properties(standin_javaw PROPERTIES OUTPUT_NAME javaw RUNTIME_OUTPUT_DIRECTORY standin)
target_link_options(standin_javaw PRIVATE -static-libgcc -static-libstdc++)

# Our directory part against the runtime library's dirname, under Wine.
add_executable(dirpart_compare tests/windows/dirpart_compare.cpp src/dirpart.cpp)
target_include_directories(dirpart_compare PRIVATE src src/windows)
target_link_options(dirpart_compare PRIVATE -static-libgcc -static-libstdc++)

set(WINE_RUN ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/e2e/wine.py)
set(WINE_ENV "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")
add_test(NAME wine_prefix COMMAND ${WINE_RUN} prefix)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine ENVIRONMENT ${WINE_ENV})

# In code page 1252, and in 932 where a trail byte can be 0x5C ("\").
add_test(NAME directory_part_matches_runtime_cp1252 COMMAND ${WINE_RUN} run $<TARGET_FILE:dirpart_compare>)
add_test(NAME directory_part_matches_runtime_cp932 COMMAND ${WINE_RUN} run $<TARGET_FILE:dirpart_compare>)
add_test(NAME end_to_end_windows
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/e2e/run.py windows $<TARGET_FILE:start>
                 $<TARGET_FILE:standin_javaw> ${E2E_JAVA})
set_tests_properties(directory_part_matches_runtime_cp1252 end_to_end_windows
                     PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${WINE_ENV};LC_ALL=C")
set_tests_properties(directory_part_matches_runtime_cp932
                     PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${WINE_ENV};LC_ALL=ja_JP.UTF-8")

# Headers, imports, icon and size of the built start.exe.
add_test(NAME executable_headers
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/windows/check_executable.py $<TARGET_FILE:start>
                 ${CMAKE_BINARY_DIR}/CMakeFiles/start.dir)

# Benchmark programs (bench/run): the shell call alone, and a runtime that ends at once.
add_executable(bench_shellexecute WIN32 bench/shellexecute_only.cpp)
tiny_windows_program(bench_shellexecute)
add_executable(bench_noop WIN32 bench/noop.cpp)
tiny_windows_program(bench_noop)
