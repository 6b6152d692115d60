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
set(fuzzer ${CMAKE_CURRENT_BINARY_DIR}/fuzz_engine)
add_custom_command(
  OUTPUT ${fuzzer}
  COMMAND ${QUORRIN_CLANGXX} -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined
          -fno-sanitize-recover=all -I${PROJECT_SOURCE_DIR}
          ${engine_sources} ${engine_check_sources} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_engine.cpp
          -o ${fuzzer}
  DEPENDS ${engine_sources} ${engine_headers} ${engine_check_sources}
          ${PROJECT_SOURCE_DIR}/tests/support/EngineChecks.h
          ${PROJECT_SOURCE_DIR}/tests/support/EngineExercise.h
          ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_engine.cpp
  COMMENT "Building the engine fuzz target with clang++"
  VERBATIM)
add_custom_target(engine_fuzzer ALL DEPENDS ${fuzzer})

set(corpus ${CMAKE_CURRENT_BINARY_DIR}/fuzz_corpus)
file(MAKE_DIRECTORY ${corpus})
add_test(NAME engine_fuzz
         COMMAND ${fuzzer} -max_total_time=20 -seed=1 ${corpus}
         WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
set_tests_properties(engine_fuzz PROPERTIES
  ENVIRONMENT "${QUORRIN_TEST_ENVIRONMENT}" LABELS fuzz TIMEOUT 120)

# The FEN and PGN readers, seeded with the PGN files of the tests.
set(records_fuzzer ${CMAKE_CURRENT_BINARY_DIR}/fuzz_records)
add_custom_command(
  OUTPUT ${records_fuzzer}
  COMMAND ${QUORRIN_CLANGXX} -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined
          -fno-sanitize-recover=all -I${PROJECT_SOURCE_DIR}
          ${engine_sources} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_records.cpp -o ${records_fuzzer}
  DEPENDS ${engine_sources} ${engine_headers} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_records.cpp
          ${PROJECT_SOURCE_DIR}/tests/support/EngineChecks.h
  COMMENT "Building the FEN and PGN fuzz target with clang++"
  VERBATIM)
add_custom_target(records_fuzzer ALL DEPENDS ${records_fuzzer})

set(records_corpus ${CMAKE_CURRENT_BINARY_DIR}/records_corpus)
file(MAKE_DIRECTORY ${records_corpus})
add_test(NAME records_fuzz
         COMMAND ${records_fuzzer} -max_total_time=20 -seed=1 ${records_corpus}
                 ${CMAKE_CURRENT_SOURCE_DIR}/data
         WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
set_tests_properties(records_fuzz PROPERTIES
  ENVIRONMENT "${QUORRIN_TEST_ENVIRONMENT}" LABELS fuzz TIMEOUT 120)
