# libFuzzer targets over the engine. The main build may use g++, so each fuzzer is compiled by
# clang++ directly into this build directory, when clang++ and its libFuzzer runtime work here
# (Debian: clang and libclang-rt-14-dev). Each target NAME keeps its inputs in fuzz/NAME/:
#   corpus/       seeds; the test NAME_fuzz copies them into a fresh working corpus and runs a
#                 fixed number of inputs from seed 1, so that its result does not depend on
#                 earlier runs and the folder in the repository never grows;
#   Seeds.cmake   when present, writes into the working corpus (its OUT) the seeds too big to
#                 keep here, generated afresh for every run;
#   regressions/  inputs that once failed; each is run once, by the test
#                 NAME_fuzz_regression_<file name without extension>.
# Where the fuzzer cannot be built, the same tests are listed and report themselves skipped.
find_program(QUORRIN_CLANGXX NAMES clang++ clang++-16 clang++-15 clang++-14)

# Only success is kept, so that a clang installed later is found by the next configure.
if(QUORRIN_CLANGXX AND NOT QUORRIN_FUZZER_WORKS)
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
  endif()
endif()

if(QUORRIN_FUZZER_WORKS)
  get_target_property(engine_sources quorrin_engine SOURCES)
  list(TRANSFORM engine_sources PREPEND ${PROJECT_SOURCE_DIR}/engine/)
  file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/engine/*.h
       ${PROJECT_SOURCE_DIR}/tests/support/*.h ${PROJECT_SOURCE_DIR}/tools/support/*.h)
else()
  message(STATUS "Fuzz targets skipped: clang++ with -fsanitize=fuzzer is not available "
                 "(Debian: clang, libclang-rt-14-dev)")
endif()

# A fuzz program fuzz_NAME built from the engine and SOURCES, and its tests: RUNS inputs from
# the seeds, each at most MAX_LEN bytes (default 1 MiB) and TIMEOUT seconds (default 10), and
# each regression input once.
#   quorrin_add_fuzz_target(NAME <name> WHAT <text> RUNS <n> [MAX_LEN <bytes>]
#                           [TIMEOUT <seconds>] SOURCES <files...>)
function(quorrin_add_fuzz_target)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "NAME;WHAT;RUNS;MAX_LEN;TIMEOUT" "SOURCES")
  if(NOT arg_MAX_LEN)
    set(arg_MAX_LEN 1048576)
  endif()
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 10)
  endif()
  set(name ${arg_NAME})
  set(inputs ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/${name})
  file(GLOB regressions CONFIGURE_DEPENDS ${inputs}/regressions/*)
  list(FILTER regressions EXCLUDE REGEX "/\\.[^/]*$")

  if(NOT QUORRIN_FUZZER_WORKS)
    # Only here does 77 mean "skipped": it is also libFuzzer's own exit code for a failure.
    set(skip /bin/sh -c "echo 'Skipped: clang++ cannot build libFuzzer programs here (Debian: \
install clang and libclang-rt-14-dev, then configure again)' && exit 77")
    set(fuzz_command ${skip})
    set(regression_command ${skip})
    set(skip_code SKIP_RETURN_CODE 77)
  else()
    set(program ${CMAKE_CURRENT_BINARY_DIR}/fuzz_${name})
    add_custom_command(
      OUTPUT ${program}
      COMMAND ${QUORRIN_CLANGXX} -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined
              -fno-sanitize-recover=all -I${PROJECT_SOURCE_DIR} ${engine_sources} ${arg_SOURCES}
              -o ${program}
      DEPENDS ${engine_sources} ${headers} ${arg_SOURCES}
      COMMENT "Building the ${arg_WHAT} fuzz target with clang++"
      VERBATIM)
    add_custom_target(${name}_fuzzer ALL DEPENDS ${program})
    set(seed_script)
    if(EXISTS ${inputs}/Seeds.cmake)
      set(seed_script -DSEED_SCRIPT=${inputs}/Seeds.cmake)
    endif()
    set(fuzz_command ${CMAKE_COMMAND} -DPROGRAM=${program} -DRUNS=${arg_RUNS}
        -DSEEDS=${inputs}/corpus -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/fuzz_${name}_run
        -DMAX_LEN=${arg_MAX_LEN} -DTIMEOUT=${arg_TIMEOUT} ${seed_script}
        -P ${CMAKE_CURRENT_SOURCE_DIR}/RunFuzz.cmake)
    set(regression_command ${program})
    set(skip_code)
  endif()

  quorrin_add_test(NAME ${name}_fuzz LABELS fuzz TIMEOUT 120 ${skip_code} COMMAND ${fuzz_command})
  foreach(input IN LISTS regressions)
    get_filename_component(input_name ${input} NAME_WE)
    set(input_argument ${input})
    if(NOT QUORRIN_FUZZER_WORKS)
      set(input_argument)
    endif()
    quorrin_add_test(NAME ${name}_fuzz_regression_${input_name} LABELS fuzz TIMEOUT 120 ${skip_code}
                     COMMAND ${regression_command} ${input_argument})
  endforeach()
endfunction()
