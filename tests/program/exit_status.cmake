# SPDX-License-Identifier: MIT
# Runs the program with ARGS and requires the exit status STATUS: CTest by itself tells only
# zero from the rest.
set(command ${PROGRAM} ${ARGS})
if(EMULATOR)
  set(command ${EMULATOR} ${command})
endif()
execute_process(COMMAND ${command} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status STREQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}:\n${out}${err}")
endif()
