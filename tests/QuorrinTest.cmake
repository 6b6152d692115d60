# Every test of the project is registered through quorrin_add_test, so that each one carries its
# labels and the sanitizer settings under which any report fails it.
#
#   quorrin_add_test(NAME <name> LABELS <label...> [COMMAND <command...>]
#                    [ENVIRONMENT <VAR=value...>] [TIMEOUT <s>] [SKIP_RETURN_CODE <code>]
#                    [WORKING_DIRECTORY <dir>] [RUN_SERIAL] [QT] [GTEST])
#
# QT: a Qt program, run on the offscreen platform with a private runtime folder (owner only, as
# Qt requires). GTEST: NAME is a GoogleTest program; each of its cases becomes a test of its own
# (gtest_discover_tests), with the same labels, environment and timeout. An ENVIRONMENT entry
# for ASAN_OPTIONS, UBSAN_OPTIONS or LSAN_OPTIONS adds its options to the common ones.
include_guard(GLOBAL)
include(GoogleTest)

set(QUORRIN_SANITIZER_ENVIRONMENT
  "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1"
  "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1"
  "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp:print_suppressions=0")

set(QUORRIN_QT_TEST_RUNTIME_DIR ${PROJECT_BINARY_DIR}/tests/xdg-runtime)
file(MAKE_DIRECTORY ${QUORRIN_QT_TEST_RUNTIME_DIR})
file(CHMOD ${QUORRIN_QT_TEST_RUNTIME_DIR} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

function(quorrin_add_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg "RUN_SERIAL;QT;GTEST"
    "NAME;TIMEOUT;SKIP_RETURN_CODE;WORKING_DIRECTORY" "LABELS;COMMAND;ENVIRONMENT")
  if(NOT arg_NAME OR NOT arg_LABELS OR arg_UNPARSED_ARGUMENTS OR NOT (arg_COMMAND OR arg_GTEST))
    message(FATAL_ERROR "quorrin_add_test(${arg_NAME}): NAME, LABELS and a COMMAND (or GTEST) "
                        "are required; unknown: ${arg_UNPARSED_ARGUMENTS}")
  endif()

  # The common environment, the given entries merged into it.
  set(environment ${QUORRIN_SANITIZER_ENVIRONMENT})
  if(arg_QT)
    list(APPEND environment "QT_QPA_PLATFORM=offscreen"
                            "XDG_RUNTIME_DIR=${QUORRIN_QT_TEST_RUNTIME_DIR}")
  endif()
  foreach(entry IN LISTS arg_ENVIRONMENT)
    if(entry MATCHES "^(ASAN_OPTIONS|UBSAN_OPTIONS|LSAN_OPTIONS)=(.*)$")
      list(TRANSFORM environment REPLACE "^(${CMAKE_MATCH_1}=.*)$" "\\1:${CMAKE_MATCH_2}")
    else()
      list(APPEND environment "${entry}")
    endif()
  endforeach()

  set(directory)
  if(arg_WORKING_DIRECTORY)
    set(directory WORKING_DIRECTORY ${arg_WORKING_DIRECTORY})
  endif()
  set(scalars)
  foreach(property TIMEOUT SKIP_RETURN_CODE RUN_SERIAL)
    if(DEFINED arg_${property} AND NOT arg_${property} STREQUAL "FALSE")
      list(APPEND scalars ${property} ${arg_${property}})
    endif()
  endforeach()

  if(NOT arg_GTEST)
    add_test(NAME ${arg_NAME} COMMAND ${arg_COMMAND} ${directory})
    set_tests_properties(${arg_NAME} PROPERTIES ENVIRONMENT "${environment}"
                                                LABELS "${arg_LABELS}" ${scalars})
    return()
  endif()

  # gtest_discover_tests passes its PROPERTIES on as a flat list, which splits a list value
  # such as the environment. The cases get theirs from a file that CTest reads after the list
  # of discovered cases, where each value is one bracket argument.
  gtest_discover_tests(${arg_NAME} ${directory} TEST_LIST quorrin_${arg_NAME}_cases
                       DISCOVERY_TIMEOUT 60)
  set(properties_file ${CMAKE_CURRENT_BINARY_DIR}/${arg_NAME}_properties.cmake)
  file(WRITE ${properties_file}
       "if(quorrin_${arg_NAME}_cases)\n"
       "  set_tests_properties(\${quorrin_${arg_NAME}_cases} PROPERTIES\n"
       "    ENVIRONMENT [==[${environment}]==] LABELS [==[${arg_LABELS}]==] ${scalars})\n"
       "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${properties_file})
endfunction()
