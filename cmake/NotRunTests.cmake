# SPDX-License-Identifier: MIT
# mark_not_run_as_skipped(): run at the end of a folder's tests. Under wine, the runner
# (scripts/wine-run.sh) does not start a 32-bit program on a machine that cannot execute
# 32-bit programs; it prints this marker instead and fails, and CTest then reports the test
# skipped, never passed.
function(mark_not_run_as_skipped)
  if(NOT CMAKE_CROSSCOMPILING)
    return()
  endif()
  get_property(tests DIRECTORY PROPERTY TESTS)
  if(tests)
    set_tests_properties(${tests} PROPERTIES SKIP_REGULAR_EXPRESSION "NOT RUN \\(32-bit\\)")
  endif()
endfunction()
