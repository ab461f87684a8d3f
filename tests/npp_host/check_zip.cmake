# SPDX-License-Identifier: MIT
# The plug-in zip lists exactly the DLL, its usage text and the command summary, in ulvXNpp/.
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${ZIP} OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot read ${ZIP}")
endif()
string(REGEX MATCHALL "[^\n]+" entries "${listing}")
list(FILTER entries EXCLUDE REGEX "/$")
list(SORT entries)
set(expected ulvXNpp/ShowCmds.ulv ulvXNpp/ulvXNpp.dll ulvXNpp/ulvXNpp.txt)
if(NOT entries STREQUAL expected)
  message(FATAL_ERROR "${ZIP} holds: ${entries}")
endif()
