# A short, repeatable fuzz run (cmake -P script):
#   cmake -DPROGRAM=<fuzzer> -DRUNS=<n> -DSEEDS=<folder> -DWORK_DIR=<folder>
#         [-DSEED_SCRIPT=<script>] [-DMAX_LEN=<bytes>] [-DTIMEOUT=<seconds>] -P RunFuzz.cmake
# WORK_DIR is emptied, the seeds are copied into WORK_DIR/corpus (and SEED_SCRIPT, run with
# -DOUT=WORK_DIR/corpus, writes the seeds too big to keep in the repository there), and the
# fuzzer runs RUNS inputs from seed 1 in that copy: the same inputs on every run, whatever
# earlier runs found. Inputs may grow to MAX_LEN bytes; one that takes longer than TIMEOUT
# seconds is a failure. A failing input is left in WORK_DIR as crash-* (or leak-*, timeout-*).
file(REMOVE_RECURSE ${WORK_DIR})
file(COPY ${SEEDS}/ DESTINATION ${WORK_DIR}/corpus)
if(SEED_SCRIPT)
  execute_process(COMMAND ${CMAKE_COMMAND} -DOUT=${WORK_DIR}/corpus -P ${SEED_SCRIPT}
                  RESULT_VARIABLE seeds_result)
  if(NOT seeds_result EQUAL 0)
    message(FATAL_ERROR "${SEED_SCRIPT} could not write the generated seeds")
  endif()
endif()
set(limits)
if(MAX_LEN)
  list(APPEND limits -max_len=${MAX_LEN})
endif()
if(TIMEOUT)
  list(APPEND limits -timeout=${TIMEOUT})
endif()

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
  COMMAND ${launcher} ${PROGRAM} -seed=1 -runs=${RUNS} -reload=0 -print_final_stats=1 ${limits}
          -artifact_prefix=${WORK_DIR}/ ${WORK_DIR}/corpus
  WORKING_DIRECTORY ${WORK_DIR}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "The fuzzer failed (exit status ${result}); its input is in ${WORK_DIR}. "
                      "Keep it as a regression case: copy it to "
                      "tests/engine/fuzz/<target>/regressions/ under a name that says what broke.")
endif()
