# Installs the build tree into a scratch prefix, then builds and runs a
# consumer through the CMake package and through pkg-config.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGN}\n${out}\n${err}")
  endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

# The consumers are built with the library's compiler and sanitizers, whose
# runtimes must match.
set(flags "${SANITIZE_FLAGS}")
if(NOT C_COMPILER)
  set(C_COMPILER cc)
endif()

run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/cmake-build
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_C_COMPILER=${C_COMPILER} "-DCMAKE_C_FLAGS=${flags}"
    "-DCMAKE_EXE_LINKER_FLAGS=${flags}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/cmake-build)
run(${WORK_DIR}/cmake-build/consumer)

file(GLOB pcdir ${prefix}/lib*/pkgconfig)
set(ENV{PKG_CONFIG_PATH} ${pcdir})
execute_process(COMMAND pkg-config --cflags --libs qrxcc OUTPUT_VARIABLE pc
  RESULT_VARIABLE rc OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "pkg-config does not know qrxcc")
endif()
separate_arguments(pc UNIX_COMMAND "${pc}")
separate_arguments(flags UNIX_COMMAND "${flags}")
file(GLOB libdir ${prefix}/lib*)
# Only the conversion library is named on the command line: it must find the
# core library beside itself.
run(${C_COMPILER} ${flags} ${SOURCE_DIR}/consumer.c -I${prefix}/include -L${libdir} -lqrxccm7
    -Wl,-rpath,${libdir} -o ${WORK_DIR}/direct-consumer)
run(${WORK_DIR}/direct-consumer)
run(${C_COMPILER} ${flags} ${SOURCE_DIR}/consumer.c ${pc} -Wl,-rpath,${libdir} -o ${WORK_DIR}/pc-consumer)
run(${WORK_DIR}/pc-consumer)
