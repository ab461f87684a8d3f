# SPDX-License-Identifier: MIT
# The manual page describes the options that --help lists, no more and no fewer.
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "ulvxnpp --help exited with ${status}")
endif()
# --help's option lines: "  -o,--output TEXT   write the output ..."
string(REGEX MATCHALL "\n  -[-a-z,]+" help_items "${help}")
string(REGEX MATCHALL "-[-a-z]+" help_options "${help_items}")

# The page's options: the tag line after each .TP of its OPTIONS section, without roff's
# backslashes (\-\-output).
file(READ ${MAN_PAGE} page)
string(REPLACE "\\" "" page "${page}")
string(REGEX REPLACE ".*\n\\.SH OPTIONS" "" section "${page}")
string(REGEX REPLACE "\n\\.SH .*" "" section "${section}")
string(REGEX MATCHALL "\n\\.TP\n[^\n]*" man_items "${section}")
string(REGEX MATCHALL "-[-a-z]+" man_options "${man_items}")

list(SORT help_options)
list(SORT man_options)
if(NOT help_options STREQUAL man_options)
  message(FATAL_ERROR "options differ\n--help:       ${help_options}\nmanual page:  ${man_options}")
endif()
