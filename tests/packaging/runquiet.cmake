# Runs TOOL [ARGS] FILES and fails on a non-zero status or on any output:
# the tools report every warning on standard error or output.
find_program(tool ${TOOL})
if(NOT tool)
  message("${TOOL} is not installed; skipped")
  return()
endif()
execute_process(COMMAND ${tool} ${ARGS} ${FILES} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
  message(FATAL_ERROR "${TOOL} ${ARGS} ${FILES}: status ${status}\n${out}${err}")
endif()
