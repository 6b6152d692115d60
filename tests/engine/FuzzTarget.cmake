# A libFuzzer target over layouts and request sequences. The main build may use g++, so the
# fuzzer is compiled by clang++ directly into this build directory, and only when clang++
# and its libFuzzer runtime work here.
find_program(QUORRIN_CLANGXX NAMES clang++ clang++-16 clang++-15 clang++-14)

if(QUORRIN_CLANGXX AND NOT DEFINED QUORRIN_FUZZER_WORKS)
  set(probe_dir ${CMAKE_CURRENT_BINARY_DIR}/fuzz_probe)
  file(WRITE ${probe_dir}/probe.cpp
       "#include <cstddef>\n#include <cstdint>\n"
       "extern \"C\" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }\n")
  execute_process(
    COMMAND ${QUORRIN_CLANGXX} -std=c++20 -fsanitize=fuzzer,address,undefined
            ${probe_dir}/probe.cpp -o ${probe_dir}/probe
    RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
  if(probe_result EQUAL 0)
    set(QUORRIN_FUZZER_WORKS TRUE CACHE INTERNAL "clang++ builds libFuzzer targets")
  else()
    set(QUORRIN_FUZZER_WORKS FALSE CACHE INTERNAL "clang++ builds libFuzzer targets")
  endif()
endif()

if(NOT QUORRIN_FUZZER_WORKS)
  message(STATUS "Engine fuzz target skipped: clang++ with -fsanitize=fuzzer is not available")
  return()
endif()

get_target_property(engine_sources quorrin_engine SOURCES)
list(TRANSFORM engine_sources PREPEND ${PROJECT_SOURCE_DIR}/engine/)
file(GLOB engine_headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/engine/*.h)
# A fuzz program NAME_fuzzer built from the engine and SOURCES (HEADERS: what else it reads),
# run as the test NAME_fuzz for 20 s from a corpus of its own and any SEEDS folders.
function(quorrin_add_fuzz_target name what)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "SOURCES;HEADERS;SEEDS")
  set(program ${CMAKE_CURRENT_BINARY_DIR}/fuzz_${name})
  add_custom_command(
    OUTPUT ${program}
    COMMAND ${QUORRIN_CLANGXX} -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined
            -fno-sanitize-recover=all -I${PROJECT_SOURCE_DIR} ${engine_sources} ${arg_SOURCES}
            -o ${program}
    DEPENDS ${engine_sources} ${engine_headers} ${arg_SOURCES} ${arg_HEADERS}
    COMMENT "Building the ${what} fuzz target with clang++"
    VERBATIM)
  add_custom_target(${name}_fuzzer ALL DEPENDS ${program})
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME ${name}_fuzz
           COMMAND ${program} -max_total_time=20 -seed=1 ${corpus} ${arg_SEEDS}
           WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(${name}_fuzz PROPERTIES
    ENVIRONMENT "${QUORRIN_TEST_ENVIRONMENT}" LABELS fuzz TIMEOUT 120)
endfunction()

quorrin_add_fuzz_target(engine "engine"
  SOURCES ${engine_check_sources} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_engine.cpp
  HEADERS ${PROJECT_SOURCE_DIR}/tests/support/EngineChecks.h
          ${PROJECT_SOURCE_DIR}/tests/support/EngineExercise.h)
# The FEN and PGN readers, seeded with the PGN files of the tests.
quorrin_add_fuzz_target(records "FEN and PGN"
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_records.cpp
  SEEDS ${CMAKE_CURRENT_SOURCE_DIR}/data)
