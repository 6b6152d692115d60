# Runs a command-line tool and checks what it did, without a shell.
#   cmake [-DEXPECT_LAST_LINE=text] [-DEXPECT_EXIT=n] [-DEXPECT_OUTPUT_FILE=path]
#         -P run_tool_check.cmake TOOL [ARGUMENTS...]
# EXPECT_LAST_LINE: exit code 0 and the last line of standard output equal to text.
# EXPECT_EXIT: that exit code.
# EXPECT_OUTPUT_FILE: exit code 0 and standard output equal to the file's contents.

# The tool and its arguments are what follows the script on the command line.
set(command)
set(after_script FALSE)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
  if(after_script)
    list(APPEND command "${CMAKE_ARGV${i}}")
  elseif(CMAKE_ARGV${i} STREQUAL "-P")
    math(EXPR script_index "${i} + 1")
    set(skip_to ${script_index})
  elseif(DEFINED skip_to AND i EQUAL skip_to)
    set(after_script TRUE)
  endif()
endforeach()
if(NOT command)
  message(FATAL_ERROR "no tool given")
endif()

execute_process(COMMAND ${command}
                RESULT_VARIABLE exit_code
                OUTPUT_VARIABLE output
                ERROR_VARIABLE errors)

if(DEFINED EXPECT_EXIT)
  if(NOT exit_code STREQUAL EXPECT_EXIT)
    message(FATAL_ERROR "exit code ${exit_code}, expected ${EXPECT_EXIT}\n${output}${errors}")
  endif()
  return()
endif()

if(NOT exit_code STREQUAL "0")
  message(FATAL_ERROR "exit code ${exit_code}\n${output}${errors}")
endif()

if(DEFINED EXPECT_LAST_LINE)
  string(STRIP "${output}" trimmed)
  string(FIND "${trimmed}" "\n" last_break REVERSE)
  if(last_break GREATER_EQUAL 0)
    math(EXPR line_start "${last_break} + 1")
    string(SUBSTRING "${trimmed}" ${line_start} -1 last_line)
  else()
    set(last_line "${trimmed}")
  endif()
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
