# Finds a clang that links libFuzzer; when there is one, builds fuzz/ with it into
# <build>/fuzz and adds one CTest test per target, run for VORKALA_FUZZ_SECONDS.
find_program(VORKALA_CLANGXX NAMES clang++ clang++-16 clang++-15 clang++-14)
set(VORKALA_FUZZ_READY OFF)
if(VORKALA_CLANGXX)
  set(probe_dir ${CMAKE_BINARY_DIR}/fuzz-probe)
  file(WRITE ${probe_dir}/probe.cpp
    "#include <cstddef>\n#include <cstdint>\n"
    "extern \"C\" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }\n")
  execute_process(
    COMMAND ${VORKALA_CLANGXX} -fsanitize=fuzzer,address,undefined ${probe_dir}/probe.cpp
            -o ${probe_dir}/probe
    RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
  if(probe_result EQUAL 0)
    set(VORKALA_FUZZ_READY ON)
  endif()
endif()

if(NOT VORKALA_FUZZ_READY)
  message(STATUS "Fuzz targets: no clang with libFuzzer found; not built")
  return()
endif()
message(STATUS "Fuzz targets: built with ${VORKALA_CLANGXX}")

include(ExternalProject)
ExternalProject_Add(vorkala-fuzz
  SOURCE_DIR ${CMAKE_SOURCE_DIR}/fuzz
  BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz
  CMAKE_ARGS -DCMAKE_CXX_COMPILER=${VORKALA_CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
  BUILD_ALWAYS ON
  INSTALL_COMMAND "")

foreach(target numbers settings code_box)
  set(corpus ${CMAKE_BINARY_DIR}/fuzz/corpus-${target})
  file(MAKE_DIRECTORY ${corpus})
  # New inputs go to the build folder's corpus; the seeds in the source tree, and those the
  # fuzz build writes, only feed it.
  # A fixed seed makes a failure found in CI one that the same run finds again.
  # The settings loader reads files up to its 1 MB cap, so the fuzzer tries inputs as long.
  set(longest "")
  set(built_seeds "")
  if(target STREQUAL "settings")
    set(longest -max_len=1048576)
    set(built_seeds ${CMAKE_BINARY_DIR}/fuzz/seeds-settings)
  endif()
  add_test(NAME fuzz.${target}
    COMMAND ${CMAKE_BINARY_DIR}/fuzz/fuzz_${target} -max_total_time=${VORKALA_FUZZ_SECONDS} ${longest}
            -seed=1 -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 ${corpus}
            ${CMAKE_SOURCE_DIR}/fuzz/seeds/${target} ${built_seeds})
  set_tests_properties(fuzz.${target} PROPERTIES
    ENVIRONMENT "VORKALA_HOME=${CMAKE_BINARY_DIR};ASAN_OPTIONS=detect_leaks=1"
    TIMEOUT 120)
endforeach()
