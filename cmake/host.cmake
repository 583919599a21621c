# The Linux build: the same launcher over a platform layer of our own, for
# unit tests, end-to-end tests, sanitizers and fuzzing.
if(START_SANITIZE OR START_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

add_library(launcher STATIC src/start.cpp src/dirpart.cpp src/host/platform.cpp)
target_include_directories(launcher PUBLIC src src/host)

if(START_FUZZ)
  include(cmake/fuzz.cmake)
  return()
endif()

add_executable(start src/host/startup.cpp)
target_link_libraries(start PRIVATE launcher)
# Static where the sanitizers allow: every C library function bound when the
# program is loaded, as start.exe's imports are, instead of looked up on its
# first call; that lookup was most of the launcher's own start-up cost here.
if(NOT START_SANITIZE)
  target_link_options(start PRIVATE -static)
endif()

find_package(GTest REQUIRED)
add_executable(unit_tests tests/unit/lookup_test.cpp tests/unit/dirpart_test.cpp tests/unit/scratch.cpp)
target_link_libraries(unit_tests PRIVATE launcher GTest::gtest GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(unit_tests)

# Benchmark programs (bench/run).
add_executable(bench_baseline bench/baseline_host.cpp)
target_link_libraries(bench_baseline PRIVATE launcher)
get_target_property(START_LINK_OPTIONS start LINK_OPTIONS)
if(START_LINK_OPTIONS)
  target_link_options(bench_baseline PRIVATE ${START_LINK_OPTIONS})  # linked as the launcher is
endif()
add_executable(bench_lookup bench/lookup_bench.cpp)
target_link_libraries(bench_lookup PRIVATE launcher)

add_test(NAME end_to_end_host
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/e2e/run.py host $<TARGET_FILE:start>
                 ${CMAKE_SOURCE_DIR}/tests/standin/javaw.sh ${E2E_JAVA})

find_program(CPPCHECK cppcheck)
find_program(CLANG_TIDY clang-tidy)
if(CPPCHECK AND CLANG_TIDY AND CMAKE_EXPORT_COMPILE_COMMANDS)
  add_test(NAME static_analysis COMMAND ${CMAKE_SOURCE_DIR}/tests/lint.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
endif()
