# SPDX-License-Identifier: MIT
# library_export_names(<def file> <out var>): the names of the library's functions in the .def
# file, that is the names before its editor-only part.
function(library_export_names def out_var)
  file(READ ${def} def_text)
  string(FIND "${def_text}" "; Windows only" editor_part)
  string(SUBSTRING "${def_text}" 0 ${editor_part} def_text)
  string(REGEX MATCHALL "\n  [A-Za-z_][A-Za-z0-9_]*" names "${def_text}")
  list(TRANSFORM names STRIP)
  set(${out_var} ${names} PARENT_SCOPE)
endfunction()
