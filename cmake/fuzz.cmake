# libFuzzer targets, under AddressSanitizer and UndefinedBehaviorSanitizer.
# FUZZ_SECONDS bounds each run in CTest; longer runs: see the README.
set(FUZZ_SECONDS 90 CACHE STRING "Seconds each fuzz target runs under CTest")
target_compile_options(launcher PRIVATE -fsanitize=fuzzer-no-link)

function(add_fuzzer name max_len)
  add_executable(fuzz_${name} tests/fuzz/${name}_fuzz.cpp)
  target_link_libraries(fuzz_${name} PRIVATE launcher)
  target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  add_test(NAME fuzz_${name}
           COMMAND ${CMAKE_SOURCE_DIR}/tests/fuzz/run.sh $<TARGET_FILE:fuzz_${name}>
                   ${CMAKE_SOURCE_DIR}/tests/fuzz/seeds/${name} ${FUZZ_SECONDS} ${max_len})
endfunction()

add_fuzzer(lookup 20000)
add_fuzzer(dirpart 40000)
