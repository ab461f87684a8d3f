# SPDX-License-Identifier: MIT
# Runs one example script without header and compares its output with the expected text.
# Line ends are compared as LF: the Windows console writes CR LF. Plots are saved into an
# emptied folder of the build, named "<plots>" in the expected text.
file(REMOVE_RECURSE ${PLOTDIR})
file(MAKE_DIRECTORY ${PLOTDIR})
set(command ${PROGRAM} ${SCRIPT} --no-header --save-plots=${PLOTDIR})
if(EMULATOR)
  set(command ${EMULATOR} ${command})
endif()
execute_process(COMMAND ${command} WORKING_DIRECTORY ${WORKDIR} OUTPUT_VARIABLE actual RESULT_VARIABLE status)
file(READ ${EXPECTED} expected)
string(REPLACE "\r" "" actual "${actual}")
string(REPLACE "${PLOTDIR}/" "<plots>/" actual "${actual}")
string(REPLACE "${PLOTDIR}\\" "<plots>/" actual "${actual}")
string(REPLACE "\r" "" expected "${expected}")
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "output of ${SCRIPT} differs from ${EXPECTED} (exit status ${status}):\n${actual}")
endif()
