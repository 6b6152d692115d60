# Runs a command-line tool and checks what it did, without a shell.
#   cmake -DCOMMAND=<tool;arguments...> [-DEXPECT_LAST_LINE=text] [-DEXPECT_EXIT=n]
#         [-DEXPECT_OUTPUT_FILE=path] [-DEXPECT_ERROR_FILE=path] -P run_tool_check.cmake
# EXPECT_EXIT: that exit code. Otherwise exit code 0, and the last line of standard output equal
# to EXPECT_LAST_LINE, or all of it equal to the contents of EXPECT_OUTPUT_FILE; all of standard
# error equal to the contents of EXPECT_ERROR_FILE.
execute_process(COMMAND ${COMMAND} RESULT_VARIABLE exit_code OUTPUT_VARIABLE output
                ERROR_VARIABLE errors)
if(NOT DEFINED EXPECT_EXIT)
  set(EXPECT_EXIT 0)
endif()
if(NOT exit_code STREQUAL EXPECT_EXIT)
  message(FATAL_ERROR "exit code ${exit_code}, expected ${EXPECT_EXIT}\n${output}${errors}")
endif()
if(DEFINED EXPECT_LAST_LINE)
  string(STRIP "${output}" trimmed)
  string(REGEX MATCH "[^\n]*$" last_line "${trimmed}")
  if(NOT last_line STREQUAL EXPECT_LAST_LINE)
    message(FATAL_ERROR "last line\n  ${last_line}\nexpected\n  ${EXPECT_LAST_LINE}")
  endif()
endif()
if(DEFINED EXPECT_OUTPUT_FILE)
  file(READ "${EXPECT_OUTPUT_FILE}" expected)
  if(NOT output STREQUAL expected)
    message(FATAL_ERROR "output\n${output}\nexpected\n${expected}")
  endif()
endif()
if(DEFINED EXPECT_ERROR_FILE)
  file(READ "${EXPECT_ERROR_FILE}" expected)
  if(NOT errors STREQUAL expected)
    message(FATAL_ERROR "standard error\n${errors}\nexpected\n${expected}")
  endif()
endif()
