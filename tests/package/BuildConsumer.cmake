# cmake -P script: install BUILD_DIR into WORK_DIR/prefix, copy the consumer out of the source
# tree, configure it against that prefix alone, build it and run it.
function(run)
  execute_process(COMMAND ${ARGV} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "failed (${result}): ${ARGV}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix)
file(COPY ${CONSUMER_SOURCE}/ DESTINATION ${WORK_DIR}/source)
run(${CMAKE_COMMAND} -S ${WORK_DIR}/source -B ${WORK_DIR}/build -G ${GENERATOR}
    -D CMAKE_CXX_COMPILER=${COMPILER} -D CMAKE_BUILD_TYPE=${BUILD_TYPE}
    -D "CMAKE_CXX_FLAGS=${FLAGS}" -D "CMAKE_EXE_LINKER_FLAGS=${FLAGS}"
    -D CMAKE_PREFIX_PATH=${WORK_DIR}/prefix -D CMAKE_FIND_PACKAGE_NO_PACKAGE_REGISTRY=ON)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/consumer)
