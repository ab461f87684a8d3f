# SPDX-License-Identifier: MIT
# 32-bit callers reach the library's functions as __stdcall: the import library, made from the
# names the compiler decorated, holds _name@N (N bytes of arguments) for every library name of
# the .def file. A function compiled __cdecl would show up as a plain _name and crash callers.
execute_process(COMMAND ${NM} ${IMPORT_LIB} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "nm failed on ${IMPORT_LIB}")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/ExportNames.cmake)
library_export_names(${DEF} names)
set(missing "")
foreach(name IN LISTS names)
  if(NOT symbols MATCHES " T _${name}@[0-9]+\n")
    list(APPEND missing ${name})
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "not __stdcall in ${IMPORT_LIB}: ${missing}")
endif()
list(LENGTH names count)
message(STATUS "the ${count} library functions of ${IMPORT_LIB} are __stdcall")
