# A short, repeatable fuzz run (cmake -P script):
#   cmake -DPROGRAM=<fuzzer> -DRUNS=<n> -DSEEDS=<folder> -DWORK_DIR=<folder> -P RunFuzz.cmake
# WORK_DIR is emptied, the seeds are copied into WORK_DIR/corpus, and the fuzzer runs RUNS
# inputs from seed 1 in that copy: the same inputs on every run, whatever earlier runs found.
# A failing input is left in WORK_DIR as crash-* (or leak-*, timeout-*).
file(REMOVE_RECURSE ${WORK_DIR})
file(COPY ${SEEDS}/ DESTINATION ${WORK_DIR}/corpus)

# libFuzzer also learns from the values the target compares, and some of those are addresses:
# without address randomisation (setarch -R, where allowed) they are the same on every run.
set(launcher)
find_program(SETARCH setarch)
if(SETARCH)
  execute_process(COMMAND ${SETARCH} -R true RESULT_VARIABLE setarch_result)
  if(setarch_result EQUAL 0)
    set(launcher ${SETARCH} -R)
  endif()
endif()

# -reload=0: the corpus folder is read once, so nothing but the seed and RUNS steers the run.
execute_process(
  COMMAND ${launcher} ${PROGRAM} -seed=1 -runs=${RUNS} -reload=0 -print_final_stats=1
          -artifact_prefix=${WORK_DIR}/ ${WORK_DIR}/corpus
  WORKING_DIRECTORY ${WORK_DIR}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "The fuzzer failed (exit status ${result}); its input is in ${WORK_DIR}. "
                      "Keep it as a regression case: copy it to "
                      "tests/engine/fuzz/<target>/regressions/ under a name that says what broke.")
endif()
