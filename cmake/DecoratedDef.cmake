# SPDX-License-Identifier: MIT
# Turns the linker's "name = name@N" export lines into a .def of decorated names for dlltool.
file(STRINGS ${LINKED_DEF} lines)
set(out "EXPORTS\n")
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]*[A-Za-z_][A-Za-z0-9_]* = ([A-Za-z_][A-Za-z0-9_]*@[0-9]+)")
    string(APPEND out "    ${CMAKE_MATCH_1}\n")
  endif()
endforeach()
file(WRITE ${DECORATED_DEF} "${out}")
