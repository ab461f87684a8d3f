# SPDX-License-Identifier: MIT
# The plug-in zip lists exactly the DLL, its usage text and the command summary, at its top.
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${ZIP} OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot read ${ZIP}")
endif()
string(REGEX MATCHALL "[^\n]+" entries "${listing}")
list(SORT entries)
set(expected ShowCmds.ulv ulvXNpp.dll ulvXNpp.txt)
if(NOT entries STREQUAL expected)
  message(FATAL_ERROR "${ZIP} holds: ${entries}")
endif()
