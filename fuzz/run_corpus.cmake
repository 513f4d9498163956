# Runs a fuzz target once over every file of its corpus (no fuzzing, nothing written).
file(GLOB seeds LIST_DIRECTORIES false "${CORPUS}/*")
if(NOT seeds)
  message(FATAL_ERROR "no seeds in ${CORPUS}")
endif()
execute_process(COMMAND ${FUZZER} -runs=0 ${seeds} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed on its corpus (${status})")
endif()
