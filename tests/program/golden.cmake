# SPDX-License-Identifier: MIT
# Runs one example script without header and compares its output with the expected text.
# Line ends are compared as LF: the Windows console writes CR LF.
set(command ${PROGRAM} ${SCRIPT} --no-header)
if(EMULATOR)
  set(command ${EMULATOR} ${command})
endif()
execute_process(COMMAND ${command} WORKING_DIRECTORY ${WORKDIR} OUTPUT_VARIABLE actual RESULT_VARIABLE status)
file(READ ${EXPECTED} expected)
string(REPLACE "\r" "" actual "${actual}")
string(REPLACE "\r" "" expected "${expected}")
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "output of ${SCRIPT} differs from ${EXPECTED} (exit status ${status}):\n${actual}")
endif()
