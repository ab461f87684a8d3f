# SPDX-License-Identifier: MIT
# add_unit_test(<name> SOURCES <files...> LIBS <targets...> [LABEL <label>])
# One test program per subsystem; natively each case becomes its own CTest test, under wine
# the whole program is one test (listing cases under wine at build time costs too much).
function(add_unit_test name)
  cmake_parse_arguments(arg "" "LABEL" "SOURCES;LIBS" ${ARGN})
  if(NOT arg_LABEL)
    set(arg_LABEL unit)
  endif()
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} morvane_test_support morvane_warnings)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS "${arg_LABEL};windows")
  else()
    gtest_discover_tests(${name} PROPERTIES LABELS ${arg_LABEL} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
