# cmake -P script: install BUILD_DIR into WORK_DIR/prefix, copy the consumer out of the source
# tree, configure it against that prefix alone with the build's generator, compiler, build type
# and sanitizer flags, build it and run it.
function(run)
  execute_process(COMMAND ${ARGV} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "failed (${result}): ${ARGV}")
  endif()
endfunction()

load_cache(${BUILD_DIR} READ_WITH_PREFIX BUILD_
  CMAKE_GENERATOR CMAKE_CXX_COMPILER CMAKE_BUILD_TYPE QUORRIN_SANITIZE)
if(BUILD_QUORRIN_SANITIZE)
  set(FLAGS "-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix)
file(COPY ${CONSUMER_SOURCE}/ DESTINATION ${WORK_DIR}/source)
run(${CMAKE_COMMAND} -S ${WORK_DIR}/source -B ${WORK_DIR}/build -G ${BUILD_CMAKE_GENERATOR}
    -D CMAKE_CXX_COMPILER=${BUILD_CMAKE_CXX_COMPILER} -D CMAKE_BUILD_TYPE=${BUILD_CMAKE_BUILD_TYPE}
    -D "CMAKE_CXX_FLAGS=${FLAGS}" -D "CMAKE_EXE_LINKER_FLAGS=${FLAGS}"
    -D CMAKE_PREFIX_PATH=${WORK_DIR}/prefix -D CMAKE_FIND_PACKAGE_NO_PACKAGE_REGISTRY=ON)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/consumer)
