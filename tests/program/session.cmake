# SPDX-License-Identifier: MIT
# Interactive sessions fed from files: entries are numbered as the lines of one script, a
# definition answers with what it stored, numbering starts again with the next session,
# (with HISTORY on) the lines typed are kept across sessions in the home folder, and :numbers and
# :spelling switch how the entries after them read.
set(home ${WORKDIR}/home)
file(REMOVE_RECURSE ${home})
file(MAKE_DIRECTORY ${home})
if(HISTORY)
  set(ENV{HOME} ${home})
endif()
set(command ${PROGRAM} -i)
if(EMULATOR)
  set(command ${EMULATOR} ${command})
endif()

function(session name input expected_status)
  file(WRITE ${home}/${name}.txt "${input}")
  execute_process(COMMAND ${command} INPUT_FILE ${home}/${name}.txt OUTPUT_VARIABLE out RESULT_VARIABLE status)
  string(REPLACE "\r" "" out "${out}")
  set(output "${out}" PARENT_SCOPE)
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "${name} session: exit status ${status}, expected ${expected_status}:\n${out}")
  endif()
endfunction()

function(expect pattern)
  if(NOT output MATCHES "${pattern}")
    message(FATAL_ERROR "session output lacks \"${pattern}\":\n${output}")
  endif()
endfunction()

session(first "Var = a ; 3\n' a comment\nMatr = [mA];2;2;1;2;3;4\n2*a\n:quit\n" 0)
expect("(> |\n)a = 3\n")
expect("\\[mA\\] =\nA\\(0,0\\)=1\\.0000\tA\\(0,1\\)=2\\.0000\t\nA\\(1,0\\)=3")
expect("Ln 4: EXPR = 2\\*a: \n Result => Number = 6\\.0000")

session(second "Var = b c ; 1\n1/0\n" 1)
expect("Ln 1: Expression = b c ; 1:")
expect("Ln 2: EXPR = 1/0:")

if(HISTORY)
  file(READ ${home}/.ulvxnpp_history history)
  set(typed "Var = a ; 3\n' a comment\nMatr = [mA];2;2;1;2;3;4\n2*a\n:quit\nVar = b c ; 1\n1/0\n")
  if(NOT history STREQUAL typed)
    message(FATAL_ERROR "history file holds:\n${history}")
  endif()
endif()

session(switched "sin(1)\n:numbers double\nsin(1)\nVar = v ; 0.1\n:spelling programmer\nmin(3, 2) == 2\n:numbers float\n" 1)
expect("Ln 1: EXPR = sin\\(1\\): \n Result => Number = 0\\.8415\n")
expect("Ln 2: EXPR = sin\\(1\\): \n Result => Number = 0\\.8414709848078965\n")
expect("(> |\n)v = 0\\.1\n")
expect("Ln 4: EXPR = min\\(3, 2\\) == 2: \n Result => Number = 1\n")
